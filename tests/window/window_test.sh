#!/usr/bin/env bash
# The real window on a 1920 x 1080 virtual X display with a window manager: it opens at
# 2x (1280 x 960) showing the intro; F12 saves the page to a PNG; Alt+Enter shows the page
# at 2x centred on black, pixel for pixel the replay's picture scaled by 2; Alt+Enter
# brings the window back where it was; a run waits while another window has the focus;
# in full screen F9 mutes and SIGTERM ends the game cleanly; started again, the game opens
# as it was left, full screen and muted (the settings file in a folder of the test's own).
# Usage: window_test.sh GAME REPLAY DATA_DIR
set -u
GAME="$(realpath "$1")"
REPLAY="$(realpath "$2")"
DATA="$(realpath "$3")"
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null ||
   ! command -v openbox >/dev/null || ! command -v xmessage >/dev/null; then
    echo "xvfb-run, xdotool, ImageMagick, openbox and xmessage are needed for the window test" >&2
    exit 1
fi
export FIND_WINDOW="$(dirname "$(realpath "$0")")/find_window.sh"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
# The pages the window must show, as the replay draws them: the intro, then the main
# menu (the Enter of Alt+Enter also reaches the game, as every key does).
printf '0 snap intro\n1 tap 28\n1 snap menu\n2 stop\n' | "$REPLAY" - --data "$DATA" --out "$WORK" || exit 1
convert "$WORK/intro.bmp" "$WORK/intro.png" && convert "$WORK/intro.bmp" -scale 200% "$WORK/intro2x.png" &&
    convert "$WORK/menu.bmp" -scale 200% "$WORK/menu2x.png" || exit 1
cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
. "$FIND_WINDOW"
GAME="$1"; DATA="$2"; WORK="$3"
cd "$DATA" || exit 1
openbox >/dev/null 2>&1 &
WM=$!
sleep 1
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share" XDG_CACHE_HOME="$WORK/cache" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/first.raw"
XDG_PICTURES_DIR="$WORK/pictures" "$GAME" >"$WORK/game.out" 2>"$WORK/game.err" &
PID=$!
fail() { echo "$1" >&2; cat "$WORK/game.err" >&2; kill $PID 2>/dev/null; kill $WM 2>/dev/null; exit 1; }
WID=$(find_window)
[ -n "$WID" ] || fail "no window titled 'Tumblegrade - DH'"
sleep 2
import -window "$WID" "$WORK/shot.png" || fail "no picture of the window"
SIZE=$(identify -format '%wx%h' "$WORK/shot.png")
geometry() { xdotool getwindowgeometry "$WID" | tr -d '\n' | sed 's/.*Position: \([0-9,]*\).*Geometry: \([0-9x]*\).*/\1 \2/'; }
xdotool windowfocus --sync "$WID" 2>/dev/null
xdotool key F12
sleep 1
SAVED=$(head -n 1 "$WORK/game.out")
BEFORE=$(geometry)
xdotool key alt+Return
sleep 2
import -window root "$WORK/screen.png"
xdotool key alt+Return
sleep 2
AFTER=$(geometry)
# A run: S, a name, Enter, S, a frame, a fork, S; push for a while, then another window
# takes the focus: the run waits (two pictures alike), and goes on when the focus is back.
for k in s g Return s Return Return s; do xdotool key $k; sleep 0.3; done
xdotool keydown Up; sleep 1.5; xdotool keyup Up
xmessage -geometry +0+0 away >/dev/null 2>&1 & MSG=$!
sleep 1
import -window "$WID" "$WORK/away1.png"; sleep 1; import -window "$WID" "$WORK/away2.png"
kill $MSG; sleep 0.5
xdotool windowfocus --sync "$WID"; sleep 1
import -window "$WID" "$WORK/back.png"
xdotool key alt+Return
sleep 2
# F9 tapped: down and up at once, often between two frames; the sound layer counts it.
xdotool key F9
sleep 1
kill -TERM $PID
for i in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.1; done
kill -0 $PID 2>/dev/null && fail "SIGTERM did not end the game in full screen"
wait $PID
STATUS=$?
# The second start: full screen at once, and Enter's click on the way to the main menu silent.
SETTINGS="$WORK/config/tumblegrade/settings.ini"
grep -qx "full_screen = on" "$SETTINGS" && grep -qx "sound = off" "$SETTINGS" ||
    fail "the settings file does not hold full screen and sound off: $(cat "$SETTINGS" 2>&1)"
SDL_DISKAUDIOFILE="$WORK/second.raw" "$GAME" >/dev/null 2>"$WORK/game.err" &
PID=$!
WID=$(find_window)
[ -n "$WID" ] || fail "no window at the second start"
sleep 2
SECOND=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
xdotool key Return
sleep 1
kill -TERM $PID
wait $PID
kill $WM 2>/dev/null
[ "$SECOND" = "1920x1080" ] || fail "the second start is not full screen: $SECOND"
[ -s "$WORK/second.raw" ] && [ "$(tr -d '\000' <"$WORK/second.raw" | head -c 1 | wc -c)" -eq 0 ] ||
    fail "the second start is not muted"
echo "window $WID $SIZE at $BEFORE, back at $AFTER; screenshot $SAVED; exit status $STATUS"
[ "$SIZE" = "1280x960" ] || fail "window is not 1280 x 960"
[ "$(compare -metric AE "$WORK/shot.png" "$WORK/intro2x.png" null: 2>&1 | cut -d' ' -f1)" = "0" ] ||
    fail "the window does not show the intro at 2x"
case "$SAVED" in "$WORK/pictures/Tumblegrade/tumblegrade-"*.png) ;; *) fail "F12 saved no screenshot";; esac
[ "$(compare -metric AE "$SAVED" "$WORK/intro.png" null: 2>&1 | cut -d' ' -f1)" = "0" ] ||
    fail "the screenshot is not the page"
convert "$WORK/screen.png" -crop 1280x960+320+60 +repage "$WORK/centre.png"
[ "$(compare -metric AE "$WORK/centre.png" "$WORK/menu2x.png" null: 2>&1 | cut -d' ' -f1)" = "0" ] ||
    fail "full screen does not show the page at 2x, centred"
[ "$(convert "$WORK/screen.png" -fill black -draw 'rectangle 320,60 1599,1019' -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = "0" ] ||
    fail "full screen is not black around the page"
[ "$AFTER" = "$BEFORE" ] || fail "the window did not come back where it was"
[ "$(compare -metric AE "$WORK/away1.png" "$WORK/away2.png" null: 2>&1 | cut -d' ' -f1)" = "0" ] ||
    fail "the run went on while the window was away"
[ "$(compare -metric AE "$WORK/away2.png" "$WORK/back.png" null: 2>&1 | cut -d' ' -f1)" != "0" ] ||
    fail "the run did not go on when the focus came back"
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS after SIGTERM"
INNER
chmod +x "$WORK/inner.sh"
xvfb-run -a -s "-screen 0 1920x1080x24" "$WORK/inner.sh" "$GAME" "$DATA" "$WORK"
