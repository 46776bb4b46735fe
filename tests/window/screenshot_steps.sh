# Sourced by the window tests that compare the game's screenshots, outside and inside the
# virtual X display. The test sets WORK (its scratch folder) and writes the steps of the
# game into $WORK/inner.sh, which sources this file too.

# Outside, first: GAME and DATA from the test's arguments, a scratch folder WORK removed
# at the end, the player's own settings left untouched.
begin_window_test() {
    GAME="$(realpath "$1")"
    DATA="$(realpath "$2")"
    WORK="$(mktemp -d)"
    export XDG_CONFIG_HOME="$WORK/config"
    trap 'rm -rf "$WORK"' EXIT
}

# Inside: the window manager and the game (XDG folders in $WORK, more arguments as given),
# its window found and focused. The game's output goes to $WORK/game.out, one screenshot
# path a line.
start_game_window() {
    . "$(dirname "${BASH_SOURCE[0]}")/find_window.sh"
    openbox >/dev/null 2>&1 &
    WM=$!
    sleep 1
    XDG_DATA_HOME="$WORK/xdg" XDG_CACHE_HOME="$WORK/cache" XDG_PICTURES_DIR="$WORK/pictures" "$GAME" -nosound "$@" >>"$WORK/game.out" 2>"$WORK/game.err" &
    PID=$!
    WID=$(find_window)
    [ -n "$WID" ] || { echo "no window" >&2; kill $PID $WM; exit 1; }
    sleep 2
    xdotool windowfocus --sync "$WID" 2>/dev/null
}
# One screenshot; it waits for the game to print its path, the Nth line of output.
shot() { xdotool key F12; for i in $(seq 1 30); do [ "$(wc -l <"$WORK/game.out")" -ge "$1" ] && break; sleep 0.1; done; sleep 1.1; }
stop_game_window() { kill $PID; wait $PID 2>/dev/null; kill $WM 2>/dev/null; }

# Outside: runs $WORK/inner.sh GAME WORK ARGS... under the virtual display and reads the
# screenshots into SHOTS; fewer than N ends the test.
run_in_display() {
    local n="$1"
    shift
    xvfb-run -a -s "-screen 0 1920x1080x24" bash "$WORK/inner.sh" "$@" || exit 1
    mapfile -t SHOTS <"$WORK/game.out"
    [ "${#SHOTS[@]}" -ge "$n" ] || { echo "only ${#SHOTS[@]} screenshots" >&2; cat "$WORK/game.err" >&2; exit 1; }
}
# Screenshots I and J are the same picture.
same() { [ "$(compare -metric AE "${SHOTS[$1]}" "${SHOTS[$2]}" null: 2>&1 | cut -d' ' -f1)" = "0" ]; }
fail() { echo "$1" >&2; exit 1; }
