#!/usr/bin/env bash
# German beside English in the real window: under LANG=de_DE.UTF-8 the main menu is the
# German picture of the data's de/ folder; the language setting "en" brings the English
# one back under the same environment.
# Usage: german_menu_test.sh GAME DATA_DIR
set -u
export STEPS="$(dirname "$(realpath "$0")")/screenshot_steps.sh"
. "$STEPS"
begin_window_test "$1" "$2"
[ -f "$DATA/de/Images/Main.bmp" ] || fail "no German main menu in $DATA/de"

cat >"$WORK/inner.sh" <<'INNER'
set -u
. "$STEPS"
GAME="$1"; WORK="$2"
export LANG=de_DE.UTF-8 LANGUAGE=de
start_game_window
xdotool key Return; sleep 0.5; shot 1                        # 1 the German main menu
stop_game_window
mkdir -p "$XDG_CONFIG_HOME/tumblegrade"
printf '[language]\nlanguage = en\n' >"$XDG_CONFIG_HOME/tumblegrade/settings.ini"
start_game_window
xdotool key Return; sleep 0.5; shot 2                        # 2 the English one
stop_game_window
INNER
cd "$DATA" || exit 1
run_in_display 2 "$GAME" "$WORK"
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" != "0" ]; }
differs "${SHOTS[0]}" "$DATA/de/Images/Main.bmp" && fail "the main menu under LANG=de is not the German picture"
differs "${SHOTS[1]}" "$DATA/Images/Main.bmp" && fail "the language setting en did not bring back the English main menu"
echo "German main menu shown, English with the setting"
