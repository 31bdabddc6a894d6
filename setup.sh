#!/usr/bin/env bash
# Set-up for a fresh Debian 12 machine: installs what is missing, builds, then starts the program
# (run), runs the whole test suite (test), or makes the Debian package and the Windows zip under
# build/packages (package; with --check, also installs the .deb into a throw-away Debian 12).
# Run as root, or as a user with sudo.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build="${LUMAVEIL_BUILD_DIR:-$here/build}"
mode="${1:-}"
check="${2:-}"
case "$mode $check" in
  "run "|"test "|"package "|"package --check") ;;
  *) echo "usage: $0 run|test|package [--check]" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
  local wanted missing=()
  wanted=$(cat "$here"/scripts/packages/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | sort -u | grep -v '^$')
  for p in $wanted; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

build_project() {
  echo "== building in $build"
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j "$(nproc)"
}

install_packages
build_project

if [ "$mode" = run ]; then
  exec "$here/scripts/run-program.sh" "$build"
fi

if [ "$mode" = package ]; then
  "$here/scripts/package.sh" "$build"
  if [ "$check" = --check ]; then
    as_root "$here/scripts/check-packages.sh" --full "$build"
  fi
  exit 0
fi

# test: the kernel for the file-system tests in a VM, then every suite.
"$here/tests/vmtest/get-kernel" --backports
status=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)") || status=1
for suite in "$here"/scripts/test.d/*.sh; do
  [ -e "$suite" ] || continue
  echo "== $(basename "$suite")"
  "$suite" "$build" || status=1
done
exit $status
