#!/usr/bin/env bash
# Builds the explorer and starts it under Wine, optionally at a folder:
#   scripts/run.sh [folder]
# With a display the window opens there. Without one it runs on a virtual X server,
# saves a screenshot of the window to build/<arch>/screenshot.png and closes it.
set -euo pipefail
"$(dirname "$0")/setup.sh"
had_display=${DISPLAY:-}
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build --target TavlornExplorer
wine_env_start
exe="$BUILD_DIR/TavlornExplorer.exe"
args=()
if [ $# -gt 0 ]; then
    # A Linux path is handed over as the Windows path Wine gives it.
    if [ -e "$1" ]; then args=("$("$WINE" winepath -w "$1" 2>/dev/null)"); else args=("$1"); fi
fi

if [ -n "$had_display" ]; then
    "$WINE" "$exe" "${args[@]}"
    exit $?
fi

"$WINE" "$exe" "${args[@]}" >/dev/null 2>&1 &
pid=$!
title='Tavlornエクスプローラ'
window=
for _ in $(seq 100); do
    window=$(xdotool search --name "$title" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "run: the explorer window did not appear" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi
sleep 1.5  # let the list paint its rows
shot="$BUILD_DIR/screenshot.png"
import -window root -crop "$(xdotool getwindowgeometry --shell "$window" | awk -F= '
    /^X=/{x=$2} /^Y=/{y=$2} /^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}')" "$shot"
echo "$shot"
xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" alt+F4
wait "$pid" || true
