#!/usr/bin/env bash
# Starts the built desktop program from build folder $1 (default: build/ of this checkout).
# Started through sudo (as `sudo ./setup.sh run` does), the program runs as the user who called
# sudo, on that user's display: it then changes only what that user may change, and the X server
# or Wayland compositor accepts its windows.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${1:-$here/build}"
program="$build/src/ui/qt/lumaveil"

if [ ! -x "$program" ]; then
  echo "Lumaveil is not built: $program is missing. Build it with: ./setup.sh run" >&2
  exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
Lumaveil is a desktop program and needs a graphical session, but neither DISPLAY nor
WAYLAND_DISPLAY is set. Start it from a terminal inside your desktop session, or over
`ssh -X`. (Under sudo, keep the variable: sudo --preserve-env=DISPLAY,XAUTHORITY ./setup.sh run)
MSG
  exit 1
fi

if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  user_home=$(getent passwd "$SUDO_USER" | cut -d: -f6)
  user_id=$(id -u "$SUDO_USER")
  env_for_user=(HOME="$user_home")
  [ -n "${DISPLAY:-}" ] && env_for_user+=(DISPLAY="$DISPLAY")
  # X access: the cookie file the session named, else the user's own.
  if [ -n "${XAUTHORITY:-}" ] && [ -r "$XAUTHORITY" ]; then
    env_for_user+=(XAUTHORITY="$XAUTHORITY")
  elif [ -r "$user_home/.Xauthority" ]; then
    env_for_user+=(XAUTHORITY="$user_home/.Xauthority")
  fi
  [ -d "/run/user/$user_id" ] && env_for_user+=(XDG_RUNTIME_DIR="/run/user/$user_id")
  [ -n "${WAYLAND_DISPLAY:-}" ] && env_for_user+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
  if command -v runuser >/dev/null; then
    exec runuser -u "$SUDO_USER" -- env "${env_for_user[@]}" "$program"
  fi
  exec sudo -u "$SUDO_USER" env "${env_for_user[@]}" "$program"
fi

exec "$program"
