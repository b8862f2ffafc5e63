#!/usr/bin/env python3
"""Writes the players' zip, laid out like the host's folder so that its plugin manager (or a player
by hand) unpacks it onto %APPDATA%\\bakkesmod\\bakkesmod, and beside it a sha256sum line.

Usage: scripts/package.py [--check] --version VERSION --module Rafta.dll --picture goal.png --out DIR
Writes DIR/Rafta-VERSION.zip and DIR/Rafta-VERSION.zip.sha256, and prints the zip's path. A module
that imports the simulated host's library is refused: only rafta-sim loads it. With --check, any
module is packed the same way as DIR/rafta-sim-package-check-VERSION.zip, a name no player takes
for a release, so that the zip's layout and reproducibility are checked where the real host's
module cannot be built.
"""
import argparse
import hashlib
import io
import os
import re
import struct
import sys
import tempfile
import zipfile

from pe_image import Image

# Nothing of the machine or the moment goes in: the same inputs give the same bytes.
ENTRY_TIME = (1980, 1, 1, 0, 0, 0)
ENTRY_MODE = 0o100644
UNIX = 3
SIMULATED_HOST_LIBRARY = "raftahost.dll"


def entry(name):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.create_system = UNIX
    info.external_attr = ENTRY_MODE << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def imports_simulated_host(module):
    with open(module, "rb") as file:
        image = Image(file.read())
    return any(name.lower() == SIMULATED_HOST_LIBRARY for name in image.imported_libraries())


def zip_name(arguments):
    """The players' name for a module the real host can load; with --check, a check's name."""
    if arguments.check:
        return f"rafta-sim-package-check-{arguments.version}.zip"
    try:
        simulated = imports_simulated_host(arguments.module)
    except (OSError, ValueError, struct.error) as error:
        sys.exit(f"package.py: cannot read the imports of {arguments.module}: {error}")
    if simulated:
        sys.exit(f"package.py: {arguments.module} imports {SIMULATED_HOST_LIBRARY}, the simulated "
                 "host's library: the real host cannot load it, so it is no module for players. "
                 "The players' zip is packed from the module built for the real host (the msvc "
                 "preset, README: Building for the real host); --check packs this one under the "
                 "name of a check.")
    return f"Rafta-{arguments.version}.zip"


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
    parser.add_argument("--check", action="store_true",
                        help="pack any module under the name of a check, not the players' zip")
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
    name = zip_name(arguments)
    os.makedirs(arguments.out, exist_ok=True)
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
