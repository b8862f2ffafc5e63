#!/usr/bin/env bash
# Builds the module and the check zip again from a copy of these sources in another folder, of
# another depth and length, and requires the same bytes as WINDOWS_BUILD_DIR's: what a commit gives
# may not depend on where it was cloned, nor tell that folder.
# Usage: scripts/reproducible-build-test.sh WINDOWS_BUILD_DIR
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 WINDOWS_BUILD_DIR" >&2; exit 2; }
first=$(realpath "$1")
root=$(realpath "$(dirname "$0")/..")
cd "$root"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
other=$work/elsewhere/a-clone-of-rafta
mkdir -p "$other/build-windows"

# The files a clone of this commit holds (with any change not yet committed), and the Dear ImGui
# sources that the first tree unpacked, which the Windows build compiles.
git ls-files -z --cached --others --exclude-standard |
  tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$other"
cp -r "$first/imgui-source" "$other/build-windows/"

echo "reproducible-build-test: building in $other" >&2
(cd "$other" && cmake --preset windows >/dev/null &&
  cmake --build --preset windows --target rafta_package_check >/dev/null)

version=$(python3 scripts/module-identity.py "$first/bin/Rafta.dll" |
  sed -n 's/^version FileVersion: //p')
zip=package-check/rafta-sim-package-check-$version.zip
failures=0
for file in bin/Rafta.dll "$zip" "$zip.sha256"; do
  if cmp -s "$first/$file" "$other/build-windows/$file"; then
    echo "ok    $file: the same bytes from both folders, sha256 $(sha256sum <"$first/$file" | cut -c1-16)..."
  else
    echo "FAIL  $file differs between $first and $other/build-windows"
    failures=$((failures + 1))
  fi
done
# The prefix map and the stripped debug data keep every path of the build out of the module.
names_no_folder() {
  local module=$1 folder=$2
  if LC_ALL=C grep -qaF "$folder" "$module"; then
    echo "FAIL  $module holds the path of the folder it was built in"
    failures=$((failures + 1))
  else
    echo "ok    $module names no folder it was built in"
  fi
}
names_no_folder "$first/bin/Rafta.dll" "$root"
names_no_folder "$other/build-windows/bin/Rafta.dll" "$other"

if [ "$failures" -ne 0 ]; then
  echo "reproducible-build-test: $failures check(s) failed"
  exit 1
fi
echo "reproducible-build-test: the module and the check zip are the same from another folder"
