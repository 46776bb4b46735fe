#!/usr/bin/env bash
# The Debian package: built by scripts/package, clean for lintian, every data file in
# its file list, and the game unpacked with dpkg -x starts from there.
# Usage: package_test.sh SOURCE_DIR PACKAGE_BUILD_DIR DATA_DIR
set -u
SRC="$1"; PKGBUILD="$2"; DATA="$3"
HERE="$(cd "$(dirname "$0")" && pwd)"
WORK="$(mktemp -d)"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share"  # the player's own settings, records and demos stay untouched
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DEB="$("$SRC/scripts/package" "$PKGBUILD" 2>"$WORK/build.log")" || { cat "$WORK/build.log" >&2; fail "scripts/package"; }
[ -f "$DEB" ] || fail "no package: $DEB"
dpkg-deb -c "$DEB" | awk '{print $NF}' | sed 's|^\./||' >"$WORK/list"
grep -qx "usr/games/tumblegrade" "$WORK/list" || fail "no /usr/games/tumblegrade"
grep -qx "usr/share/doc/tumblegrade/copyright" "$WORK/list" || fail "no copyright file"
grep -qx "usr/share/mime/packages/io.github.tumblegrade.Tumblegrade.xml" "$WORK/list" || fail "no MIME type for demos"
MISSING=0
while IFS= read -r f; do
    grep -qxF "usr/share/games/tumblegrade/$f" "$WORK/list" || { echo "not in the package: $f" >&2; MISSING=1; }
done < <(cd "$DATA" && find . -type f | sed 's|^\./||')
[ "$MISSING" -eq 0 ] || fail "data files missing from the package"
dpkg-deb -f "$DEB" Depends | grep -q libsdl2 || fail "Depends lacks SDL2: $(dpkg-deb -f "$DEB" Depends)"

ROOTOPT=(); [ "$(id -u)" -eq 0 ] && ROOTOPT=(--allow-root)
lintian "${ROOTOPT[@]}" "$DEB" >"$WORK/lintian" 2>&1
cat "$WORK/lintian"
! grep -q "^E:" "$WORK/lintian" || fail "lintian reports errors"

# The board server comes in a package of its own, which needs the game's data.
SERVER_DEB="$(ls "$(dirname "$DEB")"/tumblegrade-server_*.deb 2>/dev/null | head -n 1)"
if [ -n "$SERVER_DEB" ]; then
    ! grep -q "tumblegrade-server" "$WORK/list" || fail "the game's package holds the server"
    dpkg-deb -c "$SERVER_DEB" | awk '{print $NF}' | sed 's|^\./||' >"$WORK/server-list"
    for f in usr/bin/tumblegrade-server usr/share/man/man8/tumblegrade-server.8.gz \
             lib/systemd/system/tumblegrade-server.service usr/share/doc/tumblegrade-server/copyright; do
        grep -qx "$f" "$WORK/server-list" || fail "not in the server package: $f"
    done
    dpkg-deb -f "$SERVER_DEB" Depends | grep -q "tumblegrade (= " || fail "the server package does not need the game"
    lintian "${ROOTOPT[@]}" "$SERVER_DEB" >"$WORK/server-lintian" 2>&1
    cat "$WORK/server-lintian"
    ! grep -q "^E:" "$WORK/server-lintian" || fail "lintian reports errors in the server package"
fi

dpkg -x "$DEB" "$WORK/root" || fail "dpkg -x"
"$HERE/run_installed.sh" "$WORK/root/usr/games/tumblegrade" "$WORK/root/usr/share/games/tumblegrade" ||
    fail "the unpacked game did not start"
echo "package test passed"
