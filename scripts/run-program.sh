#!/usr/bin/env bash
# Starts the built desktop program from build folder $1.
set -euo pipefail
build="$1"
program="$build/src/app/lumaveil"
if [ ! -x "$program" ]; then
  echo "The desktop program is not built yet: this checkout holds the engine and its tests only."
  exit 0
fi
exec "$program"
