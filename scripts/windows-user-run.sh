#!/usr/bin/env bash
# Lumaveil.exe as a user runs it, under Wine on a virtual display: wait for the main window,
# type a folder into the path box, tick Hidden and System, press Scan, all from the keyboard;
# then read the result from the Linux side, where Wine keeps Hidden and System in the
# user.DOSATTRIB extended attribute (the folder is reached through Wine's drive Z:, which is /).
#
#   scripts/windows-user-run.sh <Lumaveil.exe>
#
# Expects WINEPREFIX and DISPLAY (a running X server) to be set, as windows.sh does.
set -uo pipefail

exe="${1:?usage: $0 <Lumaveil.exe>}"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
here=$(mktemp -d "${LUMAVEIL_SCRATCH:-/var/tmp}/lumaveil-user-run.XXXXXX")
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$here"
}
trap cleanup EXIT

fail() { echo "user run: $*" >&2; exit 1; }

# The tree the user changes, and a neighbour that must stay as it is.
mkdir -p "$here/target/sub/deeper" "$here/neighbour"
touch "$here/target/a.txt" "$here/target/sub/b.txt" "$here/target/sub/deeper/c.txt" \
      "$here/neighbour/n.txt"
beneath=(a.txt sub sub/b.txt sub/deeper sub/deeper/c.txt)

# Hidden (0x2) and System (0x4): Wine writes the attribute as hex text ("0x6").
dosattrib() { getfattr --only-values -n user.DOSATTRIB "$1" 2>/dev/null | tr -d '\0'; }
is_hidden_system() { local v; v=$(dosattrib "$1"); [ -n "$v" ] && (( (v & 6) == 6 )); }
setfattr -n user.probe -v 1 "$here/neighbour/n.txt" 2>/dev/null ||
  fail "the file system under $here keeps no user extended attributes"

"$wine" "$exe" >"$here/wine.log" 2>&1 &
pid=$!

# The splash screen hands over after about five seconds; the main window then has the focus
# on its tree.
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Lumaveil V\.1\.0$' | head -n 1)
[ -n "$window" ] || { cat "$here/wine.log"; fail "the main window did not open"; }
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"

# Tab to the path box, type the folder, tab over Archive and Read-Only, tick Hidden and System
# with the space bar, tab to Scan and press it.
xdotool key --delay 50 Tab
xdotool type --delay 20 "Z:${here//\//\\}\\target"
xdotool key --delay 50 Tab Tab Tab space Tab space Tab space

# The pass runs inside the program; its outcome shows in the attributes.
done=0
for _ in $(seq 1 600); do
  all=1
  for entry in "${beneath[@]}"; do is_hidden_system "$here/target/$entry" || { all=0; break; }; done
  [ $all -eq 1 ] && { done=1; break; }
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1  # polling for the outcome, bounded by the loop
done
[ $done -eq 1 ] || { cat "$here/wine.log"; fail "Scan did not give every entry beneath the folder Hidden and System"; }
for untouched in "$here/target" "$here/neighbour" "$here/neighbour/n.txt"; do
  ! is_hidden_system "$untouched" || fail "$untouched changed, but lies outside what was scanned"
done
echo "user run: Scan from the keyboard gave ${#beneath[@]} entries beneath the folder Hidden and System; the folder itself and its neighbour kept theirs"
