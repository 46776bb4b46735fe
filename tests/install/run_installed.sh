#!/usr/bin/env bash
# Starts an installed game from a folder far from its data, under a virtual X display:
# its window must show the intro picture of the data it found; Esc ends it with status 0.
# Usage: run_installed.sh GAME DATA_DIR   (DATA_DIR: where the game's data was installed)
set -u
GAME="$1"; DATA="$2"
WORK="$(mktemp -d)"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share"  # the player's own settings, records and demos stay untouched
trap 'rm -rf "$WORK"' EXIT
mkdir "$WORK/home"
cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
GAME="$1"; DATA="$2"; WORK="$3"
cd "$WORK/home" || exit 1
env -u TUMBLEGRADE_DATA -u VRX_ROOT HOME="$WORK/home" "$GAME" >"$WORK/game.log" 2>&1 &
PID=$!
WID=$(timeout 30 xdotool search --sync --name "^Tumblegrade - DH$" | head -n 1)
if [ -z "$WID" ]; then echo "no window: $(cat "$WORK/game.log")" >&2; kill $PID 2>/dev/null; exit 1; fi
sleep 2
import -window "$WID" "$WORK/shot.png" || { kill $PID; exit 1; }
DIFF=$(compare -metric AE "$WORK/shot.png" "$DATA/Images/Intro1_256.bmp" null: 2>&1 | cut -d' ' -f1)
xdotool windowfocus --sync "$WID" 2>/dev/null; xdotool key Escape
for i in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.1; done
kill -0 $PID 2>/dev/null && kill -TERM $PID
wait $PID
STATUS=$?
echo "pixels differing from the intro picture: $DIFF, exit status $STATUS"
[ "${DIFF%.*}" -lt 3072 ] 2>/dev/null || { echo "the window does not show the intro" >&2; exit 1; }
[ "$STATUS" -eq 0 ] || { cat "$WORK/game.log" >&2; exit 1; }
INNER
chmod +x "$WORK/inner.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$WORK/inner.sh" "$GAME" "$DATA" "$WORK"
