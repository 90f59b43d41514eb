#!/usr/bin/env bash
# Runs one test program under Wine: wine-run.sh WINE PROGRAM ARGUMENTS...
# The loader the scripts chose ($WINE: Wine 32 natively or under QEMU) wins over the
# configured one.
# In CI Wine once ended a test program within 30 ms with a failure code and not one
# byte of output: its main never ran, for every program that reaches main prints
# GoogleTest's header and reports its own crashes. Only such a run is made once more,
# and says so; a run that printed anything is the program's own result.
set -u
output=$(mktemp)
trap 'rm -f "$output"' EXIT

run() {
    # The program dies with this script, as it would if CTest had started it itself
    # and then stopped it at its time limit.
    setpriv --pdeathsig KILL "$@" >"$output" 2>&1
    code=$?
    cat "$output"
}

[ -z "${WINE:-}" ] || set -- "$WINE" "${@:2}"
run "$@"
if [ "$code" -ne 0 ] && [ ! -s "$output" ]; then
    echo "wine-run: $2 ended with exit code $code before printing anything; running it again"
    run "$@"
fi
exit "$code"
