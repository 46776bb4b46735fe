#!/usr/bin/env bash
# The real window: start the game under a virtual X display with a window manager,
# find its window by its title, check that it shows the intro picture, switch to full
# screen and back with Alt+Enter, then leave with Esc.
# Usage: window_test.sh GAME DATA_DIR
set -u
GAME="$(realpath "$1")"
DATA="$(realpath "$2")"
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null ||
   ! command -v openbox >/dev/null; then
    echo "xvfb-run, xdotool, ImageMagick and openbox are needed for the window test" >&2
    exit 1
fi
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
GAME="$1"; DATA="$2"; WORK="$3"
cd "$DATA" || exit 1
openbox >/dev/null 2>&1 &
WM=$!
sleep 1
"$GAME" >"$WORK/game.log" 2>&1 &
PID=$!
WID=$(timeout 30 xdotool search --sync --name "^Tumblegrade - DH$" | head -n 1)
if [ -z "$WID" ]; then echo "no window titled 'Tumblegrade - DH'" >&2; cat "$WORK/game.log" >&2; kill $PID; exit 1; fi
sleep 2
import -window "$WID" "$WORK/shot.png" || { kill $PID; exit 1; }
SIZE=$(identify -format '%wx%h' "$WORK/shot.png")
DIFF=$(compare -metric AE "$WORK/shot.png" "$DATA/Images/Intro1_256.bmp" null: 2>&1 | cut -d' ' -f1)
geometry() { xdotool getwindowgeometry "$WID" | tr -d '\n' | sed 's/.*Position: \([0-9,]*\).*Geometry: \([0-9x]*\).*/\1 \2/'; }
xdotool windowfocus --sync "$WID" 2>/dev/null
BEFORE=$(geometry)
xdotool key alt+Return
sleep 1.5
FULL=$(geometry)
xdotool key alt+Return
sleep 1.5
AFTER=$(geometry)
echo "window $BEFORE, full screen $FULL, back to $AFTER"
xdotool key Escape
for i in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.1; done
if kill -0 $PID 2>/dev/null; then kill -TERM $PID; fi
wait $PID
STATUS=$?
kill $WM 2>/dev/null
echo "window $WID size $SIZE, pixels differing from the intro picture: $DIFF, exit status $STATUS"
[ "$SIZE" = "640x480" ] || { echo "window is not 640 x 480" >&2; exit 1; }
[ "${DIFF%.*}" -lt 3072 ] 2>/dev/null || { echo "window does not show the intro picture" >&2; exit 1; }
[ "${FULL#* }" = "1024x768" ] || { echo "Alt+Enter did not fill the screen" >&2; exit 1; }
[ "$AFTER" = "$BEFORE" ] || { echo "the window did not come back where it was" >&2; exit 1; }
[ "$STATUS" -eq 0 ] || { cat "$WORK/game.log" >&2; exit 1; }
INNER
chmod +x "$WORK/inner.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$WORK/inner.sh" "$GAME" "$DATA" "$WORK"
