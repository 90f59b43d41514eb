#!/usr/bin/env bash
# Runs a test program under Wine with its heap checked: heap-check.sh WINE PROGRAM ARGUMENTS...
# Only the heap channel's trace class turns on Wine's full checks (a guarded tail on every
# block, the heap validated at each call): a write past a block is then reported as
# "err:heap:... invalid block tail". The trace lines themselves are dropped.
set -u
[ -z "${WINE:-}" ] || set -- "$WINE" "${@:2}"  # the loader the scripts chose, as wine-run.sh
WINEDEBUG=-all,err+heap,trace+heap setpriv --pdeathsig KILL "$@" 2>&1 | grep -a -v ':trace:heap:'
exit "${PIPESTATUS[0]}"
