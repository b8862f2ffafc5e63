#!/usr/bin/env bash
# Plays every scenario with rafta-sim.exe under Wine and with the Linux rafta-sim, and requires the
# same console log, byte for byte, and the same exit status; then checks what the Windows binaries
# say about themselves: the module's exports, record and version block, and that no binary needs a
# MinGW runtime DLL; last, that the module makes no players' zip, and the check zip made from it.
# Usage: scripts/windows-test.sh WINDOWS_BIN_DIR LINUX_RAFTA_SIM
set -euo pipefail

[ $# -eq 2 ] || { echo "usage: $0 WINDOWS_BIN_DIR LINUX_RAFTA_SIM" >&2; exit 2; }
windows_bin=$(realpath "$1")
linux_sim=$(realpath "$2")
root=$(realpath "$(dirname "$0")/..")
cd "$root"

# The version project() gave the build; the export record and the settings page show its first two
# numbers.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$(dirname "$windows_bin")/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $(dirname "$windows_bin")/CMakeCache.txt" >&2; exit 2; }
shown_version=$(cut -d. -f1,2 <<<"$version")

wine=/usr/lib/wine/wine64
objdump=x86_64-w64-mingw32-objdump
run_limit=120
failures=0

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL  $*"
  failures=$((failures + 1))
}

pass() {
  echo "ok    $*"
}

# A fresh prefix for this run alone: nothing of another run's configuration can leak in.
if ! timeout 300 "$wine" wineboot -i >/dev/null 2>&1 ||
  ! windows_appdata=$(timeout 60 "$wine" cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r\n') ||
  ! windows_appdata_unix=$(timeout 60 "$wine" winepath -u "$windows_appdata" 2>/dev/null) ||
  [ ! -d "$windows_appdata_unix" ]; then
  echo "windows-test: cannot make a Wine prefix with an application-data folder" >&2
  exit 1
fi
linux_appdata=$work/appdata

# What each side's system chooses: the app-data folder, and the address of the settings page's
# Dear ImGui context (a heap address, another one in every run on either side).
normalise() {
  FOLDER=$1 perl -pe 's/\Q$ENV{FOLDER}\E/<APPDATA>/g; s/^(Contexte ImGui d\xe9fini : )\d+$/$1<ADDRESS>/'
}

# Runs one side of a scenario; prints its exit status.
play() {
  local log=$1
  shift
  local status=0
  timeout "$run_limit" "$@" >"$log" 2>"$log.err" || status=$?
  echo "$status"
}

compare_scenario() {
  local script=$1 name
  name=$(basename "$script" .scn)
  rm -rf "$linux_appdata" "$windows_appdata_unix/bakkesmod"
  mkdir -p "$linux_appdata"
  local linux_status windows_status
  linux_status=$(play "$work/$name.linux" "$linux_sim" run "$script" --raw --appdata "$linux_appdata")
  windows_status=$(play "$work/$name.windows" "$wine" "$windows_bin/rafta-sim.exe" run "$script" --raw)
  normalise "$linux_appdata" <"$work/$name.linux" >"$work/$name.linux.log"
  normalise "$windows_appdata" <"$work/$name.windows" >"$work/$name.windows.log"
  local lines
  lines=$(wc -l <"$work/$name.linux.log")
  if [ "$linux_status" != "$windows_status" ]; then
    fail "$script: exit status $windows_status under Wine, $linux_status on Linux"
    sed 's/^/      /' "$work/$name.windows.err"
  elif ! cmp -s "$work/$name.linux.log" "$work/$name.windows.log"; then
    fail "$script: the logs differ (Linux -, Wine +)"
    { diff -a "$work/$name.linux.log" "$work/$name.windows.log" || true; } | head -20 | sed 's/^/      /'
  else
    pass "$script: $lines log lines equal, exit status $linux_status"
  fi
}

# What only the Windows program does: it refuses another app-data folder, and names what the
# system loader could not load.
check_windows_refusals() {
  local script=scenarios/freeplay.scn status
  status=$(play "$work/refused" "$wine" "$windows_bin/rafta-sim.exe" run "$script" --appdata 'C:\elsewhere')
  [ "$status" = 2 ] && grep -q -- '--appdata is refused on Windows' "$work/refused.err" &&
    pass "--appdata refused, exit status 2" ||
    fail "--appdata: exit status $status, $(head -1 "$work/refused.err")"
  status=$(play "$work/missing" "$wine" "$windows_bin/rafta-sim.exe" run "$script" --module 'C:\nowhere.dll')
  [ "$status" = 3 ] && grep -q 'cannot load module C:\\nowhere.dll: ' "$work/missing.err" &&
    pass "a missing module: exit status 3, $(cat "$work/missing.err")" ||
    fail "a missing module: exit status $status, $(cat "$work/missing.err")"
  status=$(play "$work/lacking" "$wine" "$windows_bin/rafta-sim.exe" run "$script" \
    --module "$(timeout 60 "$wine" winepath -w "$windows_bin/raftahost.dll" 2>/dev/null)")
  [ "$status" = 3 ] && grep -q 'raftahost.dll lacks the export getPlugin' "$work/lacking.err" &&
    pass "a module without the entry points: exit status 3, $(cat "$work/lacking.err")" ||
    fail "a module without the entry points: exit status $status, $(cat "$work/lacking.err")"
}

# Besides its entry points the module exports the members of the plugin base class, which the
# host's SDK declares exported by the plugin; anything else is a leak.
check_exports() {
  local dump=$work/Rafta.exports
  "$objdump" -p "$windows_bin/Rafta.dll" >"$dump"
  local name exported entries others
  name=$(awk '/^Name[ \t]/ {print $NF; exit}' "$dump")
  exported=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' "$dump" |
    awk '/^[ \t]*\[ *[0-9]+\]/ {print $NF}' | sort)
  local base='_Z(T[VIS]N9BakkesMod6Plugin15BakkesModPluginE$|N9BakkesMod6Plugin15BakkesModPlugin(C[12]|D[012]|aS|6onLoad|8onUnload)E)'
  entries=$(grep -xE 'deleteMe|exports|getPlugin' <<<"$exported" | tr '\n' ' ')
  others=$(grep -vxE 'deleteMe|exports|getPlugin' <<<"$exported" | grep -vE "^$base" | tr '\n' ' ' || true)
  [ "$name" = Rafta.dll ] && pass "export directory names Rafta.dll" ||
    fail "export directory names '$name', not Rafta.dll"
  [ "$entries" = "deleteMe exports getPlugin " ] && pass "entry points exported: $entries" ||
    fail "entry points exported are '$entries', not deleteMe exports getPlugin"
  [ -z "$others" ] && pass "nothing else exported but the plugin base class's members" ||
    fail "exports beyond the entry points and the plugin base class: $others"
}

check_identity() {
  local expected=$work/identity.expected actual=$work/identity.actual
  cat >"$expected" <<IDENTITY
record api-version: 95 0
record file-name: source/Rafta/Rafta.cpp
record class-name: Rafta
record plugin-name: Rafta Plugin
record version: $shown_version
record plugin-type: 0 0
record initialize: getPlugin
record delete: deleteMe
version FILEVERSION: $version
version PRODUCTVERSION: $version
version FileVersion: $version
version InternalName: Rafta.dll
version OriginalFilename: Rafta.dll
version ProductVersion: $version
IDENTITY
  if python3 scripts/module-identity.py "$windows_bin/Rafta.dll" >"$actual" &&
    cmp -s "$expected" "$actual"; then
    pass "the exports record and the version block read back as built"
  else
    fail "the exports record or the version block (expected -, read +)"
    { diff "$expected" "$actual" || true; } | sed 's/^/      /'
  fi
}

# The packer refuses this module as the players' zip: it imports the simulated host's library, which
# the real host does not have.
check_players_refusal() {
  local refused=$work/players status=0
  python3 scripts/package.py --version "$version" --module "$windows_bin/Rafta.dll" \
    --picture data/goal.png --out "$refused" >/dev/null 2>"$work/players.err" || status=$?
  [ "$status" != 0 ] && grep -q 'Rafta.dll imports raftahost.dll' "$work/players.err" &&
    [ -z "$(ls -A "$refused" 2>/dev/null)" ] &&
    pass "no players' zip from this module: the packer refuses it, exit status $status" ||
    fail "the players' zip was made of a module that imports raftahost.dll (exit status $status)"
}

# The check zip that `make package-check` wrote for this module, named after its version block:
# exactly the two files, where the host's folder keeps them, and the same bytes from inputs of
# another time and mode.
check_package() {
  local version zip again=$work/package-again listing
  version=$(python3 scripts/module-identity.py "$windows_bin/Rafta.dll" |
    sed -n 's/^version FileVersion: //p')
  zip=$(dirname "$windows_bin")/package-check/rafta-sim-package-check-$version.zip
  if [ ! -f "$zip" ]; then
    fail "no check zip for version '$version' ($zip): make package-check writes it"
    return
  fi
  listing=$(unzip -Z1 "$zip" | tr '\n' ' ')
  [ "$listing" = "plugins/Rafta.dll data/Rafta/images/goal.png " ] &&
    pass "$(basename "$zip") holds exactly $listing" ||
    fail "$(basename "$zip") holds '$listing', not exactly the module and the picture"
  unzip -p "$zip" plugins/Rafta.dll | cmp -s - "$windows_bin/Rafta.dll" &&
    pass "the zip's plugins/Rafta.dll is the built module" ||
    fail "the zip's plugins/Rafta.dll differs from $windows_bin/Rafta.dll"
  unzip -p "$zip" data/Rafta/images/goal.png | cmp -s - data/goal.png &&
    pass "the zip's data/Rafta/images/goal.png is data/goal.png" ||
    fail "the zip's data/Rafta/images/goal.png differs from data/goal.png"
  (cd "$(dirname "$zip")" && sha256sum --check --status "$(basename "$zip").sha256") &&
    pass "$(basename "$zip").sha256 matches the zip" ||
    fail "$(basename "$zip").sha256 does not match the zip"
  local linked
  linked=$(TZ=UTC "$objdump" -p "$windows_bin/Rafta.dll" | awk -F'\t+' '/^Time\/Date\t/ {print $2}')
  [ "$linked" = "Thu Jan  1 00:00:00 1970" ] &&
    pass "Rafta.dll carries no link time: a rebuild of this commit gives the same zip" ||
    fail "Rafta.dll carries a link time ($linked): every build gives another zip"
  ! LC_ALL=C grep -qaF "$root" "$windows_bin/Rafta.dll" &&
    pass "Rafta.dll names no folder of the machine that built it" ||
    fail "Rafta.dll holds the path of the folder it was built in, $root"
  mkdir -p "$again"
  cp "$windows_bin/Rafta.dll" data/goal.png "$again/"
  chmod 600 "$again/Rafta.dll" "$again/goal.png"
  touch -d '2001-02-03 04:05:06' "$again/Rafta.dll" "$again/goal.png"
  python3 scripts/package.py --check --version "$version" --module "$again/Rafta.dll" \
    --picture "$again/goal.png" --out "$again/dist" >/dev/null &&
    cmp -s "$zip" "$again/dist/$(basename "$zip")" &&
    pass "the zip comes out byte for byte the same from inputs of another time and mode" ||
    fail "the zip is not reproducible: another time or mode of its inputs changed its bytes"
}

# MinGW's runtime DLLs (libstdc++-6, libgcc_s_seh-1, libwinpthread-1...) are all named lib*.
check_imports() {
  local binary needed
  for binary in Rafta.dll raftahost.dll rafta-sim.exe; do
    needed=$("$objdump" -p "$windows_bin/$binary" | awk '/DLL Name:/ {print $3}' | tr '\n' ' ')
    if grep -qi '\blib' <<<"$needed"; then
      fail "$binary needs a MinGW runtime DLL: $needed"
    else
      pass "$binary needs only $needed"
    fi
  done
}

echo "Scenarios, under Wine ($windows_appdata) and on Linux:"
for script in scenarios/*.scn scripts/windows-test/*.scn; do
  compare_scenario "$script"
done
echo "The Windows program alone:"
check_windows_refusals
echo "The built files:"
check_exports
check_identity
check_imports
check_players_refusal
check_package

if [ "$failures" -ne 0 ]; then
  echo "windows-test: $failures check(s) failed"
  exit 1
fi
echo "windows-test: every check passed"
