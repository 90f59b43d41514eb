#!/usr/bin/env bash
# Builds the release package: build/i686/TavlornExplorer-<version>-win32.zip holding the
# 32-bit executable, 使い方.txt and readme.txt (both Shift-JIS, CRLF) in one folder, the
# names readable in every locale.
#   scripts/package.sh
# Reproducible: the executable has no link time stamp and the zip has fixed dates,
# attributes and order (resources/tools/make_zip.py), so the same sources give the same bytes. Checks from the built
# file that it is a 32-bit program carrying the application icon and the version.
set -euo pipefail
"$(dirname "$0")/setup.sh"
export TAVLORN_ARCH=i686  # the shipped program, also where Wine 32 cannot run it
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build --target TavlornExplorer --target tavlorn_help
exe="$BUILD_DIR/TavlornExplorer.exe"
version=$(sed -n 's/^ *VALUE "ProductVersion", *"\([^"]*\)".*/\1/p' "$ROOT_DIR/resources/TavlornExplorer.rc")
[ -n "$version" ] || { echo "package: no ProductVersion in the resources" >&2; exit 1; }

# What the user gets must be what the resources promise.
fail() { echo "package: $*" >&2; exit 1; }
headers=$(LC_ALL=C i686-w64-mingw32-objdump -p "$exe")
grep -q 'file format pei-i386' <<<"$headers" || fail "$exe is not a 32-bit Windows program"
grep -q '^Time/Date.*00:00:00 1970' <<<"$headers" || fail "$exe carries a link time stamp"
resources=$(LC_ALL=C i686-w64-mingw32-windres -i "$exe" -O rc 2>/dev/null) || fail "cannot read the resources of $exe"
grep -q '^50 14 /\* RT_GROUP_ICON \*/' <<<"$resources" && grep -q '^[0-9]* 3 /\* RT_ICON \*/' <<<"$resources" ||
    fail "$exe has no application icon (50)"
grep -q "^ *FILEVERSION $(sed 's/\./, /g' <<<"$version"), 0, 0$" <<<"$resources" || fail "$exe has no version $version"
grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" || fail "$exe does not name version $version"

python3 "$ROOT_DIR/resources/tools/make_help.py" "$ROOT_DIR/docs/release/readme.utf8.txt" "$BUILD_DIR/readme.txt"
zip="$BUILD_DIR/TavlornExplorer-$version-win32.zip"
for target in "$zip" "$zip.again"; do  # made twice: the same bytes, or it is not reproducible
    python3 "$ROOT_DIR/resources/tools/make_zip.py" "$target" "TavlornExplorer-$version" "$exe" "$BUILD_DIR/使い方.txt" "$BUILD_DIR/readme.txt"
done
cmp -s "$zip" "$zip.again" || fail "$zip comes out different when made again"
rm "$zip.again"
# Read back by Info-ZIP's unzip, which is the strictest of the readers about names.
names=$(LC_ALL=C.UTF-8 unzip -Z1 "$zip")
[ "$names" = "$(printf "TavlornExplorer-$version/%s\n" TavlornExplorer.exe 使い方.txt readme.txt)" ] ||
    fail "$zip lists its names as: $names"
echo "$zip"
