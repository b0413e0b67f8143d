#!/usr/bin/env python3
"""Writes a zip of a folder's files that is the same bytes wherever and
whenever it is made: entries in sorted order with "/" separators, every entry
dated at the given moment (seconds since 1970, UTC; zip keeps even seconds),
no owners or Unix permissions, deflated at the highest level.

    make_zip.py OUT.zip SECONDS FOLDER
"""
import os
import sys
import time
import zipfile


def main():
    out, seconds, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    # The zip format cannot date anything before 1980.
    moment = time.gmtime(max(seconds, 315532800))[:6]
    names = []
    for root, dirs, files in os.walk(folder):
        dirs.sort()
        for name in files:
            path = os.path.join(root, name)
            names.append(os.path.relpath(path, folder).replace(os.sep, "/"))
    names.sort()
    with zipfile.ZipFile(out, "w") as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, date_time=moment)
            entry.create_system = 0  # MS-DOS: no Unix permissions or owner
            entry.external_attr = 0x20  # the archive attribute, as Windows sets it
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(entry, source.read(), compresslevel=9)


if __name__ == "__main__":
    main()
