#!/usr/bin/env bash
# A save on a full disk, as on a nearly full memory stick: runs the settings tests'
# full-disk case from a copy of the test program on a small tmpfs of its own, which the
# case fills. Mounting needs root (as CI runs); without it the test is skipped (77).
#   full_disk.sh SETTINGS_TEST.exe   (WINE and the suite's WINEPREFIX come from scripts/test.sh)
set -euo pipefail
program=$1
: "${WINE:?run through scripts/test.sh}" "${WINEPREFIX:?}"
volume=$(mktemp -d)
size_kib=$(($(stat -c %s "$program") / 1024 + 512))
if ! mount -t tmpfs -o "size=${size_kib}k" tavlorn-full-disk "$volume" 2>/dev/null; then
    rmdir "$volume"
    echo "SKIPPED: mounting a tmpfs is not permitted here"
    exit 77
fi
trap 'umount -l "$volume"; rmdir "$volume"' EXIT
cp "$program" "$volume/settings_test.exe"
# The test program finds its folder in hex (Wine cuts double-byte values of variables).
folder="Z:${volume//\//\\}"
hex=$(printf '%s' "$folder" | od -An -tx1 | tr -d ' \n' | tr a-f A-F)
TAVLORN_SETTINGS_TEST_FOLDER=$hex "$WINE" "$volume/settings_test.exe" \
    --gtest_filter=SettingsFile.AFullDiskNeverCutsTheFile
