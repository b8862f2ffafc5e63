#!/usr/bin/env python3
"""Checks the module built for the real host before players get it, as windows-test checks the one
built here: its export record and version block read back as built; it imports only the host SDK's
library and the system's (never the simulated host's, nor an MSVC runtime DLL: the runtime is
linked in); it holds no path of the folder it was built in.

Usage: scripts/release-module-check.py --module Rafta.dll --version VERSION --sdk SDK_FOLDER
                                       --built-in FOLDER [--system-dir FOLDER]
"""
import argparse
import difflib
import os
import re
import struct
import subprocess
import sys
from pathlib import Path

from pe_image import Image

SIMULATED_HOST_LIBRARY = "raftahost.dll"
MSVC_RUNTIME = re.compile(r"(vcruntime|msvcp|ucrtbase|concrt|vccorlib|api-ms-win-crt-).*",
                          re.IGNORECASE)
# __FILE__ once the sources' folder is mapped to "."; which separator MSVC writes is its own choice.
RECORD_FILE_NAME = re.compile(r"record file-name: (\.[\\/])?source[\\/]Rafta[\\/]Rafta\.cpp")


class Checks:
    failures = 0

    def report(self, passed, message):
        print(f"ok    {message}" if passed else f"FAIL  {message}")
        self.failures += not passed


def check_identity(checks, module, version):
    shown = ".".join(version.split(".")[:2])
    expected = [
        "record api-version: 95 0",
        "record file-name: source/Rafta/Rafta.cpp",
        "record class-name: Rafta",
        "record plugin-name: Rafta Plugin",
        f"record version: {shown}",
        "record plugin-type: 0 0",
        "record initialize: getPlugin",
        "record delete: deleteMe",
        f"version FILEVERSION: {version}",
        f"version PRODUCTVERSION: {version}",
        f"version FileVersion: {version}",
        "version InternalName: Rafta.dll",
        "version OriginalFilename: Rafta.dll",
        f"version ProductVersion: {version}",
    ]
    identity = Path(__file__).with_name("module-identity.py")
    read = subprocess.run([sys.executable, str(identity), str(module)], capture_output=True,
                          text=True)
    if read.returncode != 0:
        checks.report(False, f"the exports record or the version block: {read.stderr.strip()}")
        return
    actual = [expected[1] if RECORD_FILE_NAME.fullmatch(line) else line
              for line in read.stdout.splitlines()]
    if actual == expected:
        checks.report(True, "the exports record and the version block read back as built")
        return
    differences = [f"      {line}" for line in difflib.ndiff(expected, actual)
                   if line[0] in "-+"]
    checks.report(False, "\n".join(["the exports record or the version block (expected -, read +)"]
                                    + differences))


def check_imports(checks, image, sdk, system_dir):
    sdk_library = (sdk / "lib" / "pluginsdk.lib").read_bytes().lower()
    of_sdk = []
    for name in image.imported_libraries():
        if name.lower() == SIMULATED_HOST_LIBRARY:
            checks.report(False, f"imports {name}, the simulated host's library")
        elif MSVC_RUNTIME.fullmatch(name):
            checks.report(False, f"imports {name}: the MSVC runtime should be linked in (/MT)")
        elif name.lower().encode("ascii") in sdk_library:
            of_sdk.append(name)
            checks.report(True, f"imports {name}, named by the SDK's pluginsdk.lib")
        elif (system_dir / name).is_file():
            checks.report(True, f"imports {name}, a system DLL")
        else:
            checks.report(False, f"imports {name}, neither the SDK's nor in {system_dir}")
    # Without the SDK's library the module was linked against something else than the host.
    if not of_sdk:
        checks.report(False, "imports nothing that the SDK's pluginsdk.lib names")


def check_no_build_path(checks, data, folder):
    spellings = sorted({folder, folder.replace("\\", "/"), folder.replace("/", "\\")})
    found = [spelling for spelling in spellings if spelling.lower().encode() in data.lower()]
    if found:
        checks.report(False, f"holds the path of the folder it was built in: {', '.join(found)}")
    else:
        checks.report(True, f"names no folder of the build ({folder})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--module", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--sdk", type=Path, required=True)
    parser.add_argument("--built-in", required=True)
    parser.add_argument("--system-dir", type=Path,
                        default=Path(os.environ.get("SystemRoot", r"C:\Windows")) / "System32")
    arguments = parser.parse_args()

    checks = Checks()
    try:
        data = arguments.module.read_bytes()
        image = Image(data)
        check_identity(checks, arguments.module, arguments.version)
        check_imports(checks, image, arguments.sdk, arguments.system_dir)
    except (OSError, ValueError, struct.error) as error:
        checks.report(False, f"{arguments.module}: {error}")
    else:
        check_no_build_path(checks, data, arguments.built_in)
    if checks.failures:
        sys.exit(f"release-module-check: {checks.failures} check(s) failed")
    print("release-module-check: every check passed")


if __name__ == "__main__":
    main()
