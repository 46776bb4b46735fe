#!/usr/bin/env bash
# The sound of a run, recorded through SDL's disk audio driver: start a ride, stand
# still, push hard, mute and unmute with F9, push on and steer into the fence (the loudest
# moment: ride, wind and the crash together, which must stay below full scale); then the same start
# with -nosound, and once more without any audio device. The recording's size marks
# where in it each moment lies.
# Usage: sound_test.sh GAME DATA_DIR
set -u
GAME="$(realpath "$1")"
DATA="$(realpath "$2")"
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v import >/dev/null ||
   ! command -v openbox >/dev/null; then
    echo "xvfb-run, xdotool, ImageMagick and openbox are needed for the sound test" >&2
    exit 1
fi
export FIND_WINDOW="$(dirname "$(realpath "$0")")/find_window.sh"
WORK="$(mktemp -d)"
export XDG_CONFIG_HOME="$WORK/config"  # the player's own settings stay untouched
trap '[ -n "${SOUND_TEST_KEEP:-}" ] || rm -rf "$WORK"' EXIT
# The game's own settings, records and demos, not those of whoever runs the test.
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share" XDG_CACHE_HOME="$WORK/cache"
cat >"$WORK/inner.sh" <<'INNER'
#!/usr/bin/env bash
set -u
. "$FIND_WINDOW"
GAME="$1"; DATA="$2"; WORK="$3"
cd "$DATA" || exit 1
openbox >/dev/null 2>&1 &
WM=$!
sleep 1
export SDL_AUDIODRIVER=disk

# Bytes recorded so far: 44100 frames a second, two channels of 16 bits.
mark() { stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0; }
press() { xdotool keydown "$1"; sleep 0.25; xdotool keyup "$1"; sleep 0.3; }  # held over a slow frame
start_game() {
    "$GAME" "$@" >"$WORK/game.log" 2>&1 &
    PID=$!
    WID=$(find_window)
    if [ -z "$WID" ]; then echo "no window" >&2; cat "$WORK/game.log" >&2; kill $PID; exit 1; fi
    sleep 1.5
    xdotool windowfocus --sync "$WID" 2>/dev/null
}
# Intro, main menu, a name, the shop, a frame and a fork, then S rides.
to_the_start() { for key in Return s a Return s Return Return s; do press $key; done; }
quit_game() {
    xdotool key Escape
    for i in $(seq 1 50); do kill -0 $PID 2>/dev/null || break; sleep 0.1; done
    kill -0 $PID 2>/dev/null && kill -TERM $PID
    wait $PID
}

export SDL_DISKAUDIOFILE="$WORK/ride.raw"
start_game
to_the_start
sleep 1.0
REST0=$(mark); sleep 1.0; REST1=$(mark)
# Push for about 50 steps (speed 0.5: the ride at full volume), then coast: the course
# runs straight for about 120 units, and the fence must come before its end.
xdotool keydown Up
sleep 0.8
FAST0=$(mark); sleep 0.3; FAST1=$(mark)
xdotool keyup Up
press F9
MUTE0=$(mark); sleep 0.3; MUTE1=$(mark)
press F9
# Into the fence at speed: push and steer right until the picture stands still.
xdotool keydown Up
xdotool keydown Right
LAST=""
OUTCOME0=""
for i in $(seq 1 60); do
    PICTURE=$(import -window "$WID" rgb:- 2>/dev/null | md5sum)
    if [ "$PICTURE" = "$LAST" ]; then
        OUTCOME0=$(mark)
        break
    fi
    LAST=$PICTURE
done
xdotool keyup Right
xdotool keyup Up
sleep 0.8
OUTCOME1=$(mark)
quit_game
echo "rest $REST0-$REST1, fast $FAST0-$FAST1, muted $MUTE0-$MUTE1, outcome from ${OUTCOME0:-never} to $OUTCOME1"
[ -n "$OUTCOME0" ] || { echo "the ride never reached the fence" >&2; cat "$WORK/game.log" >&2; exit 1; }
echo "$REST0 $REST1 $FAST0 $FAST1 $MUTE0 $MUTE1 $OUTCOME0 $OUTCOME1" >"$WORK/marks"

export SDL_DISKAUDIOFILE="$WORK/silent.raw"
start_game -nosound
to_the_start
quit_game

# No audio device: ALSA asked for a card that is not there. The game runs, with one
# line on standard error at most (ALSA's own complaints included).
SDL_AUDIODRIVER=alsa AUDIODEV=hw:99 start_game
press Return
quit_game
STATUS=$?
kill $WM 2>/dev/null
LINES=$(wc -l <"$WORK/game.log")
echo "without a device: exit status $STATUS, $LINES line(s) on standard error: $(head -n 1 "$WORK/game.log")"
[ "$STATUS" -eq 0 ] && [ "$LINES" -le 1 ] || exit 1
INNER
chmod +x "$WORK/inner.sh"
xvfb-run -a -s "-screen 0 1024x768x24" "$WORK/inner.sh" "$GAME" "$DATA" "$WORK" || exit 1

# Root mean square of the recording between two byte offsets (both channels).
rms() {
    local from=$(( $2 / 4 * 4 )) to=$(( $3 / 4 * 4 ))
    [ "$to" -gt "$from" ] || { echo 0; return; }
    tail -c +$((from + 1)) "$1" | head -c $((to - from)) | od -An -v -t d2 -w2 |
        awk '{ s += $1 * $1; n++ } END { printf "%d\n", n ? sqrt(s / n) : 0 }'
}
# The loudest sample between two byte offsets.
peak() {
    local from=$(( $2 / 4 * 4 )) to=$(( $3 / 4 * 4 ))
    [ "$to" -gt "$from" ] || { echo 0; return; }
    tail -c +$((from + 1)) "$1" | head -c $((to - from)) | od -An -v -t d2 -w2 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}
read -r REST0 REST1 FAST0 FAST1 MUTE0 MUTE1 OUTCOME0 OUTCOME1 <"$WORK/marks"
SECOND=$((44100 * 4))
REST=$(rms "$WORK/ride.raw" "$REST0" "$REST1")
FAST=$(rms "$WORK/ride.raw" "$FAST0" "$FAST1")
MUTED=$(rms "$WORK/ride.raw" "$((MUTE0 + SECOND / 20))" "$MUTE1")
# The picture stands still a while after the crash (the outcome screen settles): the crash
# sound lies between unmuting and then, on top of the ride, louder than riding alone.
FASTPEAK=$(peak "$WORK/ride.raw" "$FAST0" "$FAST1")
OUTCOME=$(peak "$WORK/ride.raw" "$((MUTE1 + SECOND / 2))" "$OUTCOME1")
# The loudest sample of the whole run, and how many reach full scale.
read -r PEAK CLIPPED < <(od -An -v -t d2 -w2 "$WORK/ride.raw" |
    awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v; if (v >= 32767) c++ } END { print m + 0, c + 0 }')
echo "loudness (RMS of 32768): at rest $REST, riding fast $FAST, muted $MUTED; peak riding fast $FASTPEAK, at the fence $OUTCOME"
echo "peak $PEAK of 32768, $CLIPPED samples at full scale"
FAIL=0
[ "$FAST" -gt 1000 ] && [ "$FAST" -gt $((REST * 4)) ] || { echo "riding fast is not louder than standing" >&2; FAIL=1; }
[ "$MUTED" -lt 50 ] || { echo "F9 does not mute" >&2; FAIL=1; }
[ "$OUTCOME" -gt $((FASTPEAK * 5 / 4)) ] || { echo "no outcome sound at the fence" >&2; FAIL=1; }
[ "$PEAK" -lt 32000 ] || { echo "the mix clips: peak $PEAK, $CLIPPED samples at full scale" >&2; FAIL=1; }
if [ -s "$WORK/silent.raw" ] && [ "$(tr -d '\000' <"$WORK/silent.raw" | head -c 1 | wc -c)" -ne 0 ]; then
    echo "-nosound still plays" >&2
    FAIL=1
fi
exit $FAIL
