#!/usr/bin/env bash
# Runs one test program under Wine: wine-run.sh WINE PROGRAM ARGUMENTS...
# On a loaded machine Wine has ended a test program within 30 ms with a failure code
# and not one byte of output, before the program's main ran (every test program prints
# as soon as it starts, and reports its own crashes). Only such a run is made once
# more, and says so; a run that printed anything is the program's own result.
set -u
output=$(mktemp)
trap 'rm -f "$output"' EXIT
trap '[ -n "${child:-}" ] && kill "$child" 2>/dev/null; exit 124' TERM INT

run() {
    "$@" >"$output" 2>&1 &
    child=$!
    wait "$child"
    code=$?
    cat "$output"
}

run "$@"
if [ "$code" -ne 0 ] && [ ! -s "$output" ]; then
    echo "wine-run: $2 ended with exit code $code before printing anything; running it again"
    run "$@"
fi
exit "$code"
