#!/usr/bin/env bash
# Installs what the Windows build needs and unpacks Dear ImGui's Debian sources into DIR, doing
# nothing when all of it is already there.
# Usage: scripts/install-windows-deps.sh DIR
set -euo pipefail

imgui_dir=${1:?usage: $0 DIR}
here=$(dirname "$0")

"$here/install-deps.sh" g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 dpkg-dev python3 unzip
[ -f "$imgui_dir/imgui.cpp" ] && exit 0

# The Windows build compiles Dear ImGui itself, from the sources of the version Linux links.
sources=/etc/apt/sources.list.d/rafta-deb-src.sources
if [ ! -f "$sources" ]; then
  . /etc/os-release
  mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
  cat >"$sources" <<STANZA
Types: deb-src
URIs: ${mirror:-http://deb.debian.org/debian}
Suites: $VERSION_CODENAME
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
STANZA
fi

echo "install-windows-deps: unpacking Dear ImGui's sources into $imgui_dir" >&2
apt-get update -qq
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(dpkg-query -W -f='${source:Version}' libimgui-dev)
if ! (cd "$work" && apt-get source -qq "imgui=$version") >"$work/apt-get.log" 2>&1; then
  cat "$work/apt-get.log" >&2
  exit 1
fi
unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'imgui-*')
mkdir -p "$(dirname "$imgui_dir")"
rm -rf "$imgui_dir"
mv "$unpacked" "$imgui_dir"
