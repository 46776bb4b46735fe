#!/usr/bin/env bash
# The course editor in the real window, on the keyboard: N on the course screen opens it
# on a new course, Enter sets the cursor tile's kind, Ctrl+Z takes it back, Ctrl+S asks
# for a name and saves the course safely among the player's own, and the course screen
# lists it when the editor is left. --edit opens the editor on that course again.
# Usage: editor_test.sh GAME DATA_DIR
set -u
export STEPS="$(dirname "$(realpath "$0")")/screenshot_steps.sh"
. "$STEPS"
begin_window_test "$1" "$2"
mkdir -p "$WORK/xdg"

cd "$DATA" || exit 1
if XDG_DATA_HOME="$WORK/xdg" XDG_CACHE_HOME="$WORK/cache" "$GAME" --edit daily-mine -nosound >/dev/null 2>"$WORK/refused.err"; then
    echo "--edit daily-mine started the game" >&2; exit 1
fi
grep -q "daily" "$WORK/refused.err" || { cat "$WORK/refused.err" >&2; exit 1; }

cat >"$WORK/inner.sh" <<'INNER'
set -u
. "$STEPS"
GAME="$1"; WORK="$2"; shift 2
start_game_window "$@"
if [ $# -gt 0 ]; then                                        # --edit: the editor at once
    sleep 1; xdotool key Down Up; sleep 0.5; shot 8          # 8 as in 5
else
    xdotool key Return; sleep 0.5
    xdotool key F2 End; sleep 0.5; shot 1                    # 1 the course screen, its last course
    xdotool key n; sleep 0.5; xdotool key Right Right; sleep 0.5; shot 2   # 2 the editor, "jump" chosen
    xdotool key Return; sleep 0.5; shot 3                    # 3 the first tile a jump
    xdotool key ctrl+z; sleep 0.5; shot 4                    # 4 as in 2
    xdotool key Left Left ctrl+s; sleep 0.3; xdotool type mine; xdotool key Return; sleep 0.5
    xdotool key Down Up; sleep 0.5; shot 5                   # 5 saved as "mine"
    xdotool key Escape; sleep 0.5; shot 6                    # 6 the course screen again
    xdotool key End; sleep 0.5; shot 7                       # 7 "mine" is the last course now
fi
stop_game_window
INNER
run_in_display 7 "$GAME" "$WORK"
same 0 1 && fail "N did not open the editor"
same 1 2 && fail "Enter did not change the tile"
same 1 3 || fail "Ctrl+Z did not take the change back"
COURSE="$WORK/xdg/tumblegrade/courses/mine.tbk"
[ -f "$COURSE" ] || fail "Ctrl+S did not save mine.tbk"
[ "$(head -n 1 "$COURSE")" = "z1 0 0" ] || fail "the saved course is not the new course: $(head -2 "$COURSE")"
ls "$WORK/xdg/tumblegrade/courses" | grep -q '\.new$' && fail "the save left its new file behind"
same 0 6 && fail "the course screen does not list the saved course last"
[ -n "${EDITOR_SHOTS:-}" ] && cp "${SHOTS[@]}" "$EDITOR_SHOTS"/
run_in_display 8 "$GAME" "$WORK" --edit mine
same 4 7 || fail "--edit mine did not open the editor on the saved course"
echo "course editor: 8 screenshots as expected"
