#!/usr/bin/env bash
# The packages in the test suite: makes the .deb and the Windows zip as ./setup.sh package does,
# then runs the checks that take a minute or two (contents, lintian, validators, --version of
# every program, the .exe files under Wine). The throw-away Debian 12 root is left to
# ./setup.sh package --check.
#
#   scripts/test.d/packaging.sh <native build folder>
set -euo pipefail
native="${1:?usage: $0 <native build folder>}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
"$here/scripts/package.sh" "$native"
"$here/scripts/check-packages.sh" "$native"
