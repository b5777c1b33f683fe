#!/usr/bin/env python3
"""Zips a folder for Windows users: the folder itself is the top entry, names
are stored in UTF-8 with the zip's UTF-8 flag (bit 11) set, so Chinese names
come out right in Windows' own unpacker and the common archivers. (Debian's
zip 3.0 stores the raw bytes without the flag whatever its -UN option says.)
Entries are sorted and carry the files' times, so the same folder gives the
same archive.

Usage: python3 tools/make_zip.py FOLDER ARCHIVE.zip
"""

import os
import sys
import zipfile


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_zip.py FOLDER ARCHIVE.zip")
    folder = os.path.abspath(sys.argv[1])
    archive = sys.argv[2]
    base = os.path.dirname(folder)
    tmp = archive + ".part"
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
        for dirpath, dirnames, filenames in os.walk(folder):
            dirnames.sort()
            rel = os.path.relpath(dirpath, base).replace(os.sep, "/")
            out.write(dirpath, rel + "/")
            for name in sorted(filenames):
                path = os.path.join(dirpath, name)
                # zipfile sets the UTF-8 flag for every non-ASCII name.
                out.write(path, rel + "/" + name)
    os.replace(tmp, archive)


if __name__ == "__main__":
    main()
