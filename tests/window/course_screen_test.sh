#!/usr/bin/env bash
# The course screen in the real window, on the keyboard: F2 on the main menu opens it,
# Esc leaves it unchanged, a broken course of the player's own cannot be taken, Enter
# takes a good one, which is then the one highlighted when the screen opens again.
# --course refuses a course that does not exist.
# Usage: course_screen_test.sh GAME DATA_DIR
set -u
export STEPS="$(dirname "$(realpath "$0")")/screenshot_steps.sh"
. "$STEPS"
begin_window_test "$1" "$2"
mkdir -p "$WORK/xdg/tumblegrade/courses"
printf 'z1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\ng1 0 0\n' >"$WORK/xdg/tumblegrade/courses/mine.tbk"
printf 'g1 0 0\nq9 9 9\n' >"$WORK/xdg/tumblegrade/courses/zz-broken.tbk"

cd "$DATA" || exit 1
if XDG_DATA_HOME="$WORK/xdg" XDG_CACHE_HOME="$WORK/cache" "$GAME" --course no-such-course -nosound >/dev/null 2>"$WORK/refused.err"; then
    echo "--course no-such-course started the game" >&2; exit 1
fi
grep -q "no course named no-such-course" "$WORK/refused.err" || { cat "$WORK/refused.err" >&2; exit 1; }

cat >"$WORK/inner.sh" <<'INNER'
set -u
. "$STEPS"
GAME="$1"; WORK="$2"
start_game_window
xdotool key Return; sleep 0.5; shot 1                        # 1 the main menu
xdotool key F2; sleep 0.5; shot 2                            # 2 the course screen, the shipped course
xdotool key End; sleep 0.5; shot 3                           # 3 the broken one (last) chosen
xdotool key Return; sleep 0.5; shot 4                        # 4 refused: the same screen
xdotool key Escape; sleep 0.5; shot 5                        # 5 the main menu again
xdotool key F2; sleep 0.5; shot 6                            # 6 as in 2: nothing was taken
xdotool key End Up Return; sleep 0.5; shot 7                 # 7 the main menu, "mine" taken
xdotool key F2; sleep 0.5; xdotool key Up Down; sleep 0.5; shot 8   # 8 "mine" highlighted
xdotool key End Up; sleep 0.5; shot 9                        # 9 the same: "mine" is above the last
stop_game_window
INNER
run_in_display 9 "$GAME" "$WORK"
same 0 1 && fail "F2 did not open the course screen"
same 1 2 && fail "End did not move to the last course"
same 2 3 || fail "Enter took the broken course"
same 0 4 || fail "Esc did not go back to the main menu"
same 1 5 || fail "Esc changed the chosen course"
same 0 6 || fail "Enter did not take the course and go back"
same 7 8 || fail "the taken course is not highlighted when the screen opens again"
same 1 7 && fail "the taken course did not change the screen"
echo "course screen: 9 screenshots as expected"
