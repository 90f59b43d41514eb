#!/usr/bin/env bash
# Builds the explorer, the benchmark and the minimal frame-and-list program, and prints
# the benchmark's table, on the shipped 32-bit build (emulated where the kernel cannot
# run it; TAVLORN_ARCH=x86_64 for the native 64-bit one). Not part of the test command. Extra args go to the benchmark
# (e.g. --runs 7). The settings file lives beside the executable, so the runs happen in
# a folder of their own: build/<arch>/bench-run (its generated folders are kept there).
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build --target TavlornExplorer TavlornBench FloorList
RUN_DIR="$BUILD_DIR/bench-run"
mkdir -p "$RUN_DIR"
python3 "$ROOT_DIR/bench/make_folders.py" "$RUN_DIR/data"
cp "$BUILD_DIR/TavlornExplorer.exe" "$BUILD_DIR/bench/TavlornBench.exe" "$BUILD_DIR/bench/FloorList.exe" "$RUN_DIR/"

# The shipped program is the 32-bit one; it can be built here even where it cannot run.
sizes=()
if [ "$TAVLORN_ARCH" != i686 ]; then
    if (TAVLORN_ARCH=i686 BUILD_DIR="$ROOT_DIR/build/i686" tavlorn_configure_and_build --target TavlornExplorer) >/dev/null; then
        sizes+=(--size "i686=$(stat -c %s "$ROOT_DIR/build/i686/TavlornExplorer.exe")")
    fi
fi
sizes+=(--size "$TAVLORN_ARCH=$(stat -c %s "$BUILD_DIR/TavlornExplorer.exe")")

[ "${TAVLORN_WINE32:-}" != emulated ] || sizes+=(--emulated)

wine_env_start
# A run that printed no table measured nothing, whatever Wine's exit code says.
table="$RUN_DIR/table.txt"
code=0
"$WINE" "$RUN_DIR/TavlornBench.exe" "${sizes[@]}" "$@" | tee "$table" || code=$?
if [ "$code" -ne 0 ] || ! grep -q '^executable size' "$table"; then
    echo "bench: the benchmark ended with exit code $code without its whole table" >&2
    exit 1
fi
