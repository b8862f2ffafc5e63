#!/usr/bin/env python3
"""Writes the players' zip, laid out like the host's folder so that its plugin manager (or a player
by hand) unpacks it onto %APPDATA%\\bakkesmod\\bakkesmod, and beside it a sha256sum line.

Usage: scripts/package.py --version VERSION --module Rafta.dll --picture goal.png --out DIR
Writes DIR/Rafta-VERSION.zip and DIR/Rafta-VERSION.zip.sha256, and prints the zip's path.
"""
import argparse
import hashlib
import io
import os
import re
import sys
import tempfile
import zipfile

# Nothing of the machine or the moment goes in: the same inputs give the same bytes.
ENTRY_TIME = (1980, 1, 1, 0, 0, 0)
ENTRY_MODE = 0o100644
UNIX = 3


def entry(name):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.create_system = UNIX
    info.external_attr = ENTRY_MODE << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def write_atomically(path, data):
    """A half-written zip never carries the final name, whatever stops the run."""
    folder = os.path.dirname(path)
    handle, temporary = tempfile.mkstemp(dir=folder, prefix=".package-")
    try:
        with os.fdopen(handle, "wb") as file:
            file.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--module", required=True)
    parser.add_argument("--picture", required=True)
    parser.add_argument("--out", required=True)
    arguments = parser.parse_args()
    # It names the file: an empty or odd version must not make "Rafta-.zip" or a path.
    if not re.fullmatch(r"[0-9]+(\.[0-9]+)*", arguments.version):
        parser.error(f"--version {arguments.version!r} is not dotted numbers")

    contents = [
        ("plugins/Rafta.dll", arguments.module),
        ("data/Rafta/images/goal.png", arguments.picture),
    ]
    os.makedirs(arguments.out, exist_ok=True)
    name = f"Rafta-{arguments.version}.zip"
    path = os.path.join(arguments.out, name)

    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w") as archive:
        for entry_name, source in contents:
            with open(source, "rb") as file:
                archive.writestr(entry(entry_name), file.read(), compresslevel=9)
    data = buffer.getvalue()

    write_atomically(path, data)
    digest = hashlib.sha256(data).hexdigest()
    write_atomically(path + ".sha256", f"{digest}  {name}\n".encode("ascii"))
    print(path)


if __name__ == "__main__":
    sys.exit(main())
