#!/usr/bin/env bash
# The Windows side of the test suite: cross-builds every Qt-free library and its test program for
# 64-bit Windows with mingw-w64, and Lumaveil.exe, then runs each program under Wine in a fresh
# prefix on a virtual display (Xvfb), so the Win32 file-system code works on a real (emulated)
# Windows file system and the windows on Wine's user32 and comctl32: the programs make their
# scratch folders in the prefix's temporary folder, on its drive C:. Then Lumaveil.exe itself is
# checked (one file, GUI, the DLLs every Windows ships) and run once as a user would.
#
#   scripts/test.d/windows.sh <native build folder>
#
# The cross build goes next to the native one (<native>-mingw). Prints its own summary and exits
# non-zero when a program fails to build or a test fails.
set -uo pipefail

native="${1:?usage: $0 <native build folder>}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="${LUMAVEIL_WINDOWS_BUILD_DIR:-${native%/}-mingw}"
jobs="${LUMAVEIL_JOBS:-$(nproc)}"
# Every Qt-free layer's test program, the windows' and lumaveil-cli's (which runs the built
# .exe); those whose folder has no tests yet are simply absent.
programs=(common_tests fs_tests gdi_tests progressbar_tests attrib_tests tree_tests ui_common_tests
          ui_win32_tests cli_tests)
# The DLLs Lumaveil.exe may import: the five it is written against, and what every Windows ships.
allowed_dlls="kernel32.dll user32.dll gdi32.dll comctl32.dll shell32.dll ole32.dll msvcrt.dll"
max_exe_bytes=$((4 * 1024 * 1024))

fail() { echo "windows: $*" >&2; exit 1; }

command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  fail "x86_64-w64-mingw32-g++-posix is missing (Debian package g++-mingw-w64-x86-64)"
wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
[ -n "$wine" ] || fail "wine64 is missing (Debian packages wine, wine64)"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
command -v Xvfb >/dev/null || fail "Xvfb is missing (Debian package xvfb)"

echo "== windows: configuring the mingw-w64 build in $build"
mkdir -p "$build"
# Optimised as the native build is, but without debug information, which only slows compiling
# and linking the static programs.
cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DLUMAVEIL_BUILD_GUI=OFF >"$build/configure.log" 2>&1 ||
  { cat "$build/configure.log"; fail "configuring the cross build failed"; }

declare -A outcome
targets=$(cmake --build "$build" --target help 2>/dev/null)
# The differential drawing test: gdi_reference draws the cases with Wine's gdi32 and user32,
# the native gdi_diff generates them and compares with the raster layer's pictures.
differential=""
if grep -qw gdi_reference <<<"$targets" && [ -x "$native/tools/gdi_diff/gdi_diff" ]; then
  echo "== windows: building gdi_reference"
  if cmake --build "$build" --target gdi_reference -j "$jobs"; then
    differential=yes
  else
    outcome[gdi_diff]="BUILD FAILED"
  fi
fi
built=()
for program in "${programs[@]}"; do
  if ! grep -qw "$program" <<<"$targets"; then
    continue
  fi
  echo "== windows: building $program"
  if cmake --build "$build" --target "$program" -j "$jobs"; then
    built+=("$program")
  else
    outcome[$program]="BUILD FAILED"
  fi
done

echo "== windows: building Lumaveil.exe"
if cmake --build "$build" --target lumaveil_win32 -j "$jobs"; then
  lumaveil_exe=$(find "$build" -name Lumaveil.exe -type f | head -n 1)
else
  outcome[Lumaveil.exe]="BUILD FAILED"
  lumaveil_exe=""
fi

status=0
if [ ${#built[@]} -gt 0 ] || [ -n "$differential" ] || [ -n "$lumaveil_exe" ]; then
  # A prefix of its own, thrown away afterwards: no state from an earlier run or from the user's
  # own Wine, no dialogs (the .NET and HTML installers are switched off).
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumaveil-wine.XXXXXX")
  export WINEPREFIX="$scratch/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset WAYLAND_DISPLAY
  # A display of its own, numbered by Xvfb itself so that parallel runs never meet.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
  xvfb_pid=$!
  cleanup() {
    WINEPREFIX="$WINEPREFIX" "$wineserver" -k 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
  }
  trap cleanup EXIT
  for _ in $(seq 1 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  [ -s "$scratch/display" ] || { cat "$scratch/xvfb.log"; fail "Xvfb did not start"; }
  export DISPLAY=":$(head -n 1 "$scratch/display")"

  echo "== windows: creating a Wine prefix"
  timeout 300 "$wine" wineboot -i >"$scratch/wineboot.log" 2>&1 &&
    timeout 120 "$wineserver" -w ||
    { cat "$scratch/wineboot.log"; fail "creating the Wine prefix failed"; }

  for program in "${built[@]}"; do
    exe=$(find "$build" -name "$program.exe" -type f | head -n 1)
    [ -n "$exe" ] || { outcome[$program]="NOT FOUND"; continue; }
    log="$scratch/$program.log"
    echo "== windows: running $program under Wine"
    (cd "$WINEPREFIX/drive_c" && timeout 600 "$wine" "$exe" --gtest_color=no) >"$log.crlf" 2>&1
    rc=$?
    tr -d '\r' <"$log.crlf" >"$log"
    # Skipped tests say why (what Wine cannot do); failures show whole.
    grep -A2 -E ': Skipped$' "$log" | grep -v -E '^--$'
    if [ $rc -ne 0 ]; then
      cat "$log"
      outcome[$program]="FAILED (exit $rc)"
    else
      sed -n '/^\[==========\] .* ran\./,$p' "$log"
      passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log")
      skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) test.*/\1/p' "$log")
      outcome[$program]="passed ${passed:-0}, skipped ${skipped:-0}"
    fi
  done

  if [ -n "$lumaveil_exe" ]; then
    echo "== windows: checking Lumaveil.exe"
    problems=()
    size=$(stat -c %s "$lumaveil_exe")
    [ "$size" -lt "$max_exe_bytes" ] || problems+=("$size bytes, not under 4 MiB")
    headers=$(x86_64-w64-mingw32-objdump -p "$lumaveil_exe")
    grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || problems+=("not a GUI program")
    for dll in $(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z'); do
      grep -qw "$dll" <<<"$allowed_dlls" || problems+=("imports $dll")
    done
    echo "   $size bytes; imports: $(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
    if [ ${#problems[@]} -eq 0 ] &&
       "$here/scripts/windows-user-run.sh" "$lumaveil_exe"; then
      outcome[Lumaveil.exe]="passed (one file, GUI, user run)"
    else
      outcome[Lumaveil.exe]="FAILED ${problems[*]}"
    fi
  fi

  if [ -n "$differential" ]; then
    # Last: the reference drawer changes the prefix's system colours.
    echo "== windows: differential drawing test (raster layer against Wine's GDI)"
    cases="$scratch/gdi_diff.cases"
    "$native/tools/gdi_diff/gdi_diff" generate 12 "$cases" &&
      (cd "$WINEPREFIX/drive_c" &&
         timeout 600 "$wine" "$(find "$build" -name gdi_reference.exe -type f | head -n 1)" \
           "$cases" "$scratch/gdi_reference.bin") 2>&1 | tr -d '\r' &&
      "$native/tools/gdi_diff/gdi_diff" compare "$cases" "$scratch/gdi_reference.bin" \
        >"$scratch/gdi_diff.log"
    rc=$?
    grep -v '^  ' "$scratch/gdi_diff.log" | head -n 40
    if [ $rc -eq 0 ]; then
      outcome[gdi_diff]="$(sed -n 's/^gdi_diff: \([0-9]*\) cases compared.*/\1 cases, no difference/p' "$scratch/gdi_diff.log")"
      [ -n "${outcome[gdi_diff]}" ] || outcome[gdi_diff]="FAILED (no case count in its report)"
    else
      cat "$scratch/gdi_diff.log"
      outcome[gdi_diff]="FAILED (exit $rc)"
    fi
  fi
fi

echo "== windows: summary (mingw-w64 build, tests under $("$wine" --version 2>/dev/null))"
for program in "${programs[@]}" Lumaveil.exe gdi_diff; do
  [ -n "${outcome[$program]:-}" ] || continue
  printf '   %-18s %s\n' "$program" "${outcome[$program]}"
  case "${outcome[$program]}" in passed* | *"no difference") ;; *) status=1 ;; esac
done
[ ${#outcome[@]} -gt 0 ] || { echo "   no test program to build"; status=1; }
exit $status
