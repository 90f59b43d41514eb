#!/usr/bin/env python3
"""Writes the release zip: the files given, in that order, in one folder.

Usage: make_zip.py TARGET.zip FOLDER FILE...
Reproducible: fixed dates, attributes and order, so the same files give the same bytes.
Names are stored in UTF-8 with the zip's UTF-8 flag, and the archive says it was made on
Windows NT (NTFS): readers then take the names as UTF-8 in every locale. Made "on MS-DOS",
Info-ZIP's unzip would read them in the DOS code page whatever the flag says.
"""
import os
import sys
import zipfile

NTFS = 11  # host system of "version made by"; its attributes are MS-DOS attributes


def main(target, folder, files):
    tmp = target + ".tmp"
    with zipfile.ZipFile(tmp, "w") as archive:
        for path in files:
            # A non-ASCII name gets the UTF-8 flag from zipfile itself.
            info = zipfile.ZipInfo(folder + "/" + os.path.basename(path), date_time=(2026, 1, 1, 0, 0, 0))
            info.create_system = NTFS
            info.external_attr = 0x20  # archive bit only
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(tmp, target)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit("usage: make_zip.py TARGET.zip FOLDER FILE...")
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
