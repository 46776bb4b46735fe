#!/usr/bin/env bash
# cmake --install into a temporary prefix: the validators accept the desktop entry and
# the metadata, --help and --version answer, the installed game starts from elsewhere,
# and a game with no data anywhere says where it looked and ends with status 1.
# Usage: install_test.sh BUILD_DIR VERSION COMPILED_IN_DATA_DIR BIN_DIR DATA_SUBDIR
# (BIN_DIR and DATA_SUBDIR below the prefix: bin and share/tumblegrade, or the games layout)
set -u
BUILD="$1"; VERSION="$2"; COMPILED_IN="$3"; BIN="$4"; DATA="$5"
HERE="$(cd "$(dirname "$0")" && pwd)"
APP=io.github.tumblegrade.Tumblegrade
WORK="$(mktemp -d)"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share"  # the player's own settings, records and demos stay untouched
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

P="$WORK/prefix"
cmake --install "$BUILD" --prefix "$P" >/dev/null || fail "cmake --install"
GAME="$P/$BIN/tumblegrade"
for f in $BIN/tumblegrade $DATA/track.tbk $DATA/Images/Initpal.bmp $DATA/Cour20b.fnt \
         share/applications/$APP.desktop share/metainfo/$APP.metainfo.xml share/doc/tumblegrade/copyright \
         share/mime/packages/$APP.xml; do
    [ -f "$P/$f" ] || fail "not installed: $f"
done
ls "$P"/share/man/man6/tumblegrade.6* >/dev/null || fail "no man page"
for n in 16 32 48 64 128 256; do
    [ "$(identify -format '%m %wx%h' "$P/share/icons/hicolor/${n}x$n/apps/$APP.png")" = "PNG ${n}x$n" ] ||
        fail "icon ${n}x$n"
done
desktop-file-validate "$P/share/applications/$APP.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$P/share/metainfo/$APP.metainfo.xml" || fail "appstreamcli validate"
grep -q '^MimeType=application/x-tumblegrade-demo;$' "$P/share/applications/$APP.desktop" &&
    grep -q '^Exec=tumblegrade %f$' "$P/share/applications/$APP.desktop" || fail "the desktop entry takes no demo"
# The MIME database built from the installed type knows a demo by its name and its first line.
if command -v update-mime-database >/dev/null; then
    update-mime-database "$P/share/mime" 2>"$WORK/mime.err" || fail "update-mime-database: $(cat "$WORK/mime.err")"
    grep -q '^\*\.tgdemo' "$P/share/mime/globs" 2>/dev/null || grep -q 'tgdemo' "$P/share/mime/globs2" ||
        fail "the demo type's glob is not in the database"
fi

[ "$("$GAME" --version)" = "Tumblegrade - DH $VERSION" ] || fail "--version says '$("$GAME" --version)'"
HELP="$("$GAME" --help)" || fail "--help status"
for word in --version -nowindirect TUMBLEGRADE_DATA VRX_ROOT Alt+Enter; do
    grep -q -e "$word" <<<"$HELP" || fail "--help does not mention $word"
done

"$HERE/run_installed.sh" "$GAME" "$P/$DATA" || fail "the installed game did not start"

# The board server: its program, man page and systemd unit; it serves the installed data.
if [ -f "$BUILD/tumblegrade-server" ]; then
    for f in bin/tumblegrade-server lib/systemd/system/tumblegrade-server.service share/doc/tumblegrade-server/API.md; do
        [ -f "$P/$f" ] || fail "not installed: $f"
    done
    ls "$P"/share/man/man8/tumblegrade-server.8* >/dev/null || fail "no server man page"
    grep -q '^DynamicUser=yes$' "$P/lib/systemd/system/tumblegrade-server.service" &&
        grep -q '^StateDirectory=tumblegrade-server$' "$P/lib/systemd/system/tumblegrade-server.service" ||
        fail "the unit lacks DynamicUser or StateDirectory"
    "$P/bin/tumblegrade-server" --listen 127.0.0.1:0 --data "$P/$DATA" --database "sqlite:$WORK/board.sqlite" \
        >"$WORK/server.out" 2>&1 &
    SERVER=$!
    for _ in $(seq 50); do grep -q "^listening on" "$WORK/server.out" && break; sleep 0.2; done
    PORT="$(sed -n 's/^listening on 127.0.0.1://p' "$WORK/server.out")"
    BOARD="$(curl -s "http://127.0.0.1:$PORT/api/v1/courses/ae1a4ef22e757738/board" 2>&1)"
    kill "$SERVER"; wait "$SERVER"
    grep -q '"name":"classic"' <<<"$BOARD" || fail "the installed server gives no board: $BOARD $(cat "$WORK/server.out")"
fi

# The program alone, with the data nowhere: the message, then status 1.
if [ -f "$COMPILED_IN/track.tbk" ]; then
    echo "the built-in data folder $COMPILED_IN holds data: no-data check skipped"
else
    mkdir -p "$WORK/lone/bin" "$WORK/empty"
    cp "$GAME" "$WORK/lone/bin/"
    (cd "$WORK/empty" && env -u DISPLAY -u WAYLAND_DISPLAY -u VRX_ROOT TUMBLEGRADE_DATA="$WORK/empty" \
        SDL_VIDEODRIVER=dummy timeout 20 "$WORK/lone/bin/tumblegrade" >"$WORK/out" 2>&1)
    STATUS=$?
    [ "$STATUS" -eq 1 ] || fail "status $STATUS without data"
    grep -q "was not found" "$WORK/out" && grep -q "TUMBLEGRADE_DATA" "$WORK/out" &&
        grep -q "$WORK/lone/share/games/tumblegrade" "$WORK/out" || fail "message: $(cat "$WORK/out")"
fi
echo "install test passed"
