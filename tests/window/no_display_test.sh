#!/usr/bin/env bash
# Without any display (no X, no Wayland) and no SDL_VIDEODRIVER named, the window
# program refuses SDL's invisible drivers: one line on standard error, status 1, at once.
# Usage: no_display_test.sh GAME
set -u
GAME="$(realpath "$1")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/runtime" && chmod 700 "$WORK/runtime"
START=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK/runtime" \
    timeout 10 "$GAME" -nosound >"$WORK/out" 2>"$WORK/err"
STATUS=$?
ELAPSED=$(( ($(date +%s%N) - START) / 1000000 ))
echo "status $STATUS after $ELAPSED ms: $(cat "$WORK/err")"
[ "$STATUS" -eq 1 ] || { echo "status $STATUS, not 1" >&2; exit 1; }
[ "$ELAPSED" -le 1000 ] || { echo "took $ELAPSED ms" >&2; exit 1; }
[ "$(wc -l <"$WORK/err")" -eq 1 ] && grep -q "no display found" "$WORK/err" ||
    { echo "not one line saying no display was found" >&2; exit 1; }
# A named driver is the player's choice: the offscreen one runs (and is ended here).
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen XDG_RUNTIME_DIR="$WORK/runtime" \
    timeout 2 "$GAME" -nosound >/dev/null 2>&1
STATUS=$?
[ "$STATUS" -eq 124 ] || { echo "with SDL_VIDEODRIVER=offscreen the game ended with $STATUS" >&2; exit 1; }
