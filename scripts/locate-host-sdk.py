#!/usr/bin/env python3
"""Finds, in a checkout of the host's SDK repository, the SDK folder that cmake/HostSdk.cmake takes
(include/ with the plugin headers, lib/pluginsdk.lib) and the Dear ImGui archive that the SDK
distributes; unpacks the archive and prints both folders as `name=path` lines, the form of a GitHub
step's outputs.

Usage: scripts/locate-host-sdk.py CHECKOUT UNPACK_DIR
Prints `sdk=FOLDER` and `imgui=FOLDER` (the folder that holds imgui.h and imgui.cpp). The release
builds against a repository whose layout we do not control: anything but exactly one of each stops
it, listing what it found, rather than building against a guess.
"""
import sys
import zipfile
from pathlib import Path

PLUGIN_HEADER = Path("include/bakkesmod/plugin/bakkesmodplugin.h")
IMPORT_LIBRARY = "pluginsdk.lib"


def files(folder):
    return sorted(path for path in folder.rglob("*") if ".git" not in path.parts and path.is_file())


def exactly_one(found, what, where):
    if len(found) != 1:
        listed = "".join(f"\n  {path}" for path in found) or " none"
        sys.exit(f"locate-host-sdk.py: expected exactly one {what} in {where}, found{listed}")
    return found[0]


def sdk_folder(checkout):
    libraries = [path for path in files(checkout) if path.name.lower() == IMPORT_LIBRARY]
    folders = [library.parent.parent for library in libraries if library.parent.name.lower() == "lib"
               and (library.parent.parent / PLUGIN_HEADER).is_file()]
    if not folders and libraries:
        print("locate-host-sdk.py: no pluginsdk.lib sits in lib/ beside include/bakkesmod/plugin: "
              + ", ".join(map(str, libraries)), file=sys.stderr)
    return exactly_one(folders, f"folder with lib/{IMPORT_LIBRARY} and {PLUGIN_HEADER.as_posix()}",
                       checkout)


def imgui_folder(checkout, unpack_dir):
    archives = [path for path in files(checkout)
                if path.suffix.lower() == ".zip" and "imgui" in path.name.lower()]
    archive = exactly_one(archives, "Dear ImGui archive (*imgui*.zip)", checkout)
    if unpack_dir.exists() and any(unpack_dir.iterdir()):
        sys.exit(f"locate-host-sdk.py: {unpack_dir} is not empty; another unpacking would mix in")
    try:
        with zipfile.ZipFile(archive) as opened:
            opened.extractall(unpack_dir)
    except (OSError, zipfile.BadZipFile) as error:
        sys.exit(f"locate-host-sdk.py: cannot unpack {archive}: {error}")
    folders = [header.parent for header in files(unpack_dir)
               if header.name == "imgui.h" and (header.parent / "imgui.cpp").is_file()]
    return exactly_one(folders, "folder with imgui.h and imgui.cpp", f"{archive} (unpacked)")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    checkout, unpack_dir = Path(sys.argv[1]), Path(sys.argv[2])
    sdk = sdk_folder(checkout)
    imgui = imgui_folder(checkout, unpack_dir)
    # CMake takes forward slashes on every system; GitHub reads its outputs file by "\n" lines,
    # which Windows would end with "\r\n".
    sys.stdout.reconfigure(newline="\n")
    print(f"sdk={sdk.resolve().as_posix()}")
    print(f"imgui={imgui.resolve().as_posix()}")


if __name__ == "__main__":
    main()
