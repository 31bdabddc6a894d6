#!/usr/bin/env bash
# Makes Lumaveil's two packages, into <build>/packages:
#   lumaveil_<version>_amd64.deb          CPack's DEB generator over the native build <build>
#   Lumaveil-<version>-windows-x64.zip    CPack's ZIP generator over the mingw-w64 cross build
#                                         next to it (<build>-mingw, the one windows.sh tests)
#
#   scripts/package.sh <native build folder>
#
# The native build must have been configured (./setup.sh does that); the programs are built here
# if they are not up to date.
set -euo pipefail

native="${1:?usage: $0 <native build folder>}"
native="$(cd "$native" && pwd)"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mingw="${LUMAVEIL_WINDOWS_BUILD_DIR:-${native%/}-mingw}"
jobs="${LUMAVEIL_JOBS:-$(nproc)}"
out="$native/packages"

fail() { echo "package: $*" >&2; exit 1; }

# The targets of a build tree that exist, out of those asked for, once the tree has caught up
# with the sources (a program added since it was configured counts).
existing_targets() {
  local tree=$1 list
  shift
  cmake -S "$here" -B "$tree" >"$tree/packaging-configure.log" 2>&1 ||
    { cat "$tree/packaging-configure.log" >&2; fail "configuring $tree failed"; }
  list=$(cmake --build "$tree" --target help)
  for target in "$@"; do
    grep -qE "^\.\.\. $target( |$)" <<<"$list" && echo "$target"
  done
}

# Runs CPack in a build tree and moves the one package it makes into $out.
pack() {
  local tree=$1 generator=$2 made
  rm -rf "$tree/packaging/cpack"
  (cd "$tree" && cpack -G "$generator" -B "$tree/packaging/cpack") >"$tree/packaging/cpack.log" 2>&1 ||
    { cat "$tree/packaging/cpack.log"; fail "cpack -G $generator failed in $tree"; }
  made=$(find "$tree/packaging/cpack" -maxdepth 1 -type f \( -name '*.deb' -o -name '*.zip' \))
  [ "$(wc -l <<<"$made")" -eq 1 ] && [ -n "$made" ] || fail "cpack -G $generator made no single package"
  mv -f "$made" "$out/"
  echo "   $out/$(basename "$made") ($(stat -c %s "$out/$(basename "$made")") bytes)"
}

[ -f "$native/CMakeCache.txt" ] || fail "$native is not a configured build (run ./setup.sh run or test first)"
mkdir -p "$out"
rm -f "$out"/lumaveil_*.deb "$out"/Lumaveil-*-windows-x64.zip

echo "== package: the Debian package from $native"
linux_programs=$(existing_targets "$native" lumaveil lumaveil-cli)
[ "$(wc -w <<<"$linux_programs")" -eq 2 ] ||
  fail "the native build lacks the desktop program or lumaveil-cli (is Qt 6 installed?)"
# shellcheck disable=SC2086
cmake --build "$native" -j "$jobs" --target $linux_programs lumaveil_docs
pack "$native" DEB

echo "== package: the Windows zip from $mingw"
if [ ! -f "$mingw/CMakeCache.txt" ]; then
  mkdir -p "$mingw"
  # Configured as scripts/test.d/windows.sh configures it, so the two share one cross build.
  cmake -S "$here" -B "$mingw" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
    -DLUMAVEIL_BUILD_GUI=OFF >"$mingw/configure.log" 2>&1 ||
    { cat "$mingw/configure.log"; fail "configuring the cross build failed"; }
fi
windows_programs=$(existing_targets "$mingw" lumaveil_win32 lumaveil-cli)
grep -qw lumaveil-cli <<<"$windows_programs" || fail "the cross build has no lumaveil-cli"
# shellcheck disable=SC2086
cmake --build "$mingw" -j "$jobs" --target $windows_programs
pack "$mingw" ZIP
