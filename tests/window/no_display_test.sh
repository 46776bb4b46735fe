#!/usr/bin/env bash
# Without any display (no X, no Wayland) and no SDL_VIDEODRIVER named, the window
# program refuses SDL's invisible drivers: one line on standard error, status 1, at once
# (within a second of processor time).
# Usage: no_display_test.sh GAME
set -u
GAME="$(realpath "$1")"
WORK="$(mktemp -d)"
export XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/share" XDG_CACHE_HOME="$WORK/cache"  # the player's own settings, records and demos stay untouched
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
# The program's own time (user + system) must stay within a second; the clock on the
# wall only within the timeout, as a machine shared with busy builds may be slow to
# start anything.
TIMEFORMAT='%R %U %S'
{ time env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK/runtime" \
    timeout 10 "$GAME" -nosound >"$WORK/out" 2>"$WORK/err"; } 2>"$WORK/time"
STATUS=$?
read -r REAL USER SYSTEM <"$WORK/time"
echo "status $STATUS after $REAL s ($USER s user, $SYSTEM s system): $(cat "$WORK/err")"
[ "$STATUS" -eq 1 ] || { echo "status $STATUS, not 1" >&2; exit 1; }
awk -v u="$USER" -v s="$SYSTEM" 'BEGIN { exit !(u + s <= 1.0) }' || { echo "took $USER + $SYSTEM s of processor time" >&2; exit 1; }
[ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "no display found" "$WORK/err" ||
    { echo "not one line saying no display was found" >&2; exit 1; }
# A named driver is the player's choice: the offscreen one runs (and is ended here).
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen XDG_RUNTIME_DIR="$WORK/runtime" \
    timeout 2 "$GAME" -nosound >/dev/null 2>&1
STATUS=$?
[ "$STATUS" -eq 124 ] || { echo "with SDL_VIDEODRIVER=offscreen the game ended with $STATUS" >&2; exit 1; }
