#!/usr/bin/env bash
# Builds the explorer and starts it under Wine, optionally at a folder:
#   scripts/run.sh [folder]
# With a display the window opens there. Without one it runs on a virtual X server,
# waits until the window has painted, saves a screenshot of the whole window (frame and
# menu bar included) to build/<arch>/screenshot.png, prints its path and closes the
# program the way a user does (Alt+F4), failing unless it ends with exit code 0.
set -euo pipefail
"$(dirname "$0")/setup.sh"
had_display=${DISPLAY:-}
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build --target TavlornExplorer
wine_env_start
exe="$BUILD_DIR/TavlornExplorer.exe"
args=()
if [ $# -gt 0 ]; then
    # A Linux path is handed over as the Windows path Wine gives it (Z:\...); anything
    # else (C:\..., a path that does not exist) goes as it is.
    if [ -e "$1" ]; then args=("$("$WINE" winepath -w "$(realpath "$1")" 2>/dev/null)"); else args=("$1"); fi
fi

if [ -n "$had_display" ]; then
    exec "$WINE" "$exe" "${args[@]}"
fi

log="$BUILD_DIR/run.log"
"$WINE" "$exe" "${args[@]}" >"$log" 2>&1 &
pid=$!
if ! window=$(xwin_find "$pid" 'Tavlorn' 20); then
    echo "run: the explorer window did not appear (output in $log)" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi
geometry=$(xwin_geometry "$window")
xwin_wait_painted "$geometry" 20 || echo "run: the window was still changing; taking the picture anyway" >&2
shot="$BUILD_DIR/screenshot.png"
xwin_shot "$shot" "$geometry"
echo "$shot"

# The key-up can reach a window that Alt+F4 has already destroyed; the exit code tells.
xdotool key --window "$window" alt+F4 2>/dev/null || true
code=0
xwin_wait_exit "$pid" 20 || code=$?
if [ "$code" -eq 124 ]; then
    echo "run: the explorer did not end after Alt+F4" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
fi
if [ "$code" -ne 0 ]; then
    echo "run: the explorer ended with exit code $code" >&2
    exit "$code"
fi
