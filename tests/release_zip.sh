#!/usr/bin/env bash
# The release zip made from the built files: the same bytes when made again from copies
# with other dates, its names read right by Info-ZIP's unzip in two locales, the help
# text inside whole.
#   release_zip.sh MAKE_ZIP.py EXE HELP
set -euo pipefail
make_zip=$1 exe=$2 help=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$make_zip" "$work/first.zip" T "$exe" "$help"
mkdir "$work/copies"
cp "$exe" "$help" "$work/copies/"
touch -d 2001-02-03 "$work/copies/"*
python3 "$make_zip" "$work/again.zip" T "$work/copies/$(basename "$exe")" "$work/copies/$(basename "$help")"
cmp "$work/first.zip" "$work/again.zip" || { echo "FAILED - the zip differs when made again"; exit 1; }
expected=$(printf 'T/%s\n' "$(basename "$exe")" "$(basename "$help")")
for locale in C.UTF-8 ja_JP.UTF-8; do
    names=$(LC_ALL=$locale unzip -Z1 "$work/first.zip")
    [ "$names" = "$expected" ] || { echo "FAILED - in $locale unzip lists: $names"; exit 1; }
done
LC_ALL=C.UTF-8 unzip -p "$work/first.zip" "T/$(basename "$help")" | cmp - "$help" ||
    { echo "FAILED - the help text does not come out whole"; exit 1; }
echo "ok - the release zip is reproducible and its names read right"
