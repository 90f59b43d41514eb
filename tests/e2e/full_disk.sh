#!/usr/bin/env bash
# A save on a full disk, as on a nearly full memory stick: runs the settings tests'
# full-disk case with the settings file on a small tmpfs of its own, which the case fills.
# Mounting needs root (as CI runs); without it the test is skipped (77).
#   full_disk.sh SETTINGS_TEST.exe   (WINE and the suite's WINEPREFIX come from scripts/test.sh)
set -euo pipefail
program=$1
: "${WINE:?run through scripts/test.sh}" "${WINEPREFIX:?}"
volume=$(mktemp -d)
if ! mount -t tmpfs -o "size=512k" tavlorn-full-disk "$volume" 2>/dev/null; then
    rmdir "$volume"
    echo "SKIPPED: mounting a tmpfs is not permitted here"
    exit 77
fi
trap 'umount -l "$volume"; rmdir "$volume"' EXIT
folder="Z:${volume//\//\\}"
"$WINE" "$program" --settings-folder="$folder" --gtest_filter=SettingsFile.AFullDiskNeverCutsTheFile
