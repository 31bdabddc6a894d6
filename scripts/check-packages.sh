#!/usr/bin/env bash
# Checks the packages that scripts/package.sh made in <build>/packages, as a user would meet them.
#
#   scripts/check-packages.sh [--full] <native build folder>
#
# Always (a minute or two):
#   the .deb's fields and files, lintian (no error, no warning), the desktop entry
#   (desktop-file-validate), the AppStream metainfo (appstreamcli validate), the icon sizes,
#   both programs' --version from the unpacked package; the zip's files, and both .exe files'
#   --version under Wine in a fresh prefix, run from the unpacked zip alone.
# With --full (as root, with the Debian archive reachable): a throw-away Debian 12 root made by
#   debootstrap (minbase), the .deb installed into it by apt with its dependencies, and the
#   installed lumaveil-cli run on a real folder there. LUMAVEIL_DEBIAN_MIRROR picks the mirror.
#
# Prints one line per check and a closing "N passed, N failed"; exits non-zero on any failure.
set -uo pipefail

full=0
if [ "${1:-}" = --full ]; then full=1; shift; fi
native="${1:?usage: $0 [--full] <native build folder>}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
packages="$native/packages"
passed=0 failed=0

scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumaveil-packages.XXXXXX")
root=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && [ -n "${wineserver:-}" ] && "$wineserver" -k 2>/dev/null
  if [ -n "$root" ]; then
    # Never delete through a mount.
    if mountpoint -q "$root/proc" && ! umount "$root/proc"; then
      echo "check-packages: $root/proc is still mounted; $root is left in place" >&2
    else
      rm -rf "$root"
    fi
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# check NAME COMMAND...: runs the command, counts it, shows its output only when it fails.
check() {
  local name=$1 log="$scratch/check.log"
  shift
  if "$@" >"$log" 2>&1; then
    passed=$((passed + 1)); echo "   ok    $name"
  else
    failed=$((failed + 1)); echo "   FAIL  $name"; sed 's/^/         /' "$log"
  fi
}

# same EXPECTED ACTUAL: equal, or both shown.
same() {
  [ "$1" = "$2" ] && return 0
  printf 'expected: %s\nactual:   %s\n' "$1" "$2"
  return 1
}

# The version the sources give: project(... VERSION x.y ...).
version=$(sed -n 's/^project(Lumaveil VERSION \([0-9.]*\) .*/\1/p' "$here/CMakeLists.txt")
deb="$packages/lumaveil_${version}_amd64.deb"
zip="$packages/Lumaveil-${version}-windows-x64.zip"
echo "== check-packages: version $version, in $packages"

# ---- the Debian package ----------------------------------------------------------------------
id=org.lumaveil.Lumaveil
deb_files() {
  local wanted=(./usr/bin/lumaveil ./usr/bin/lumaveil-cli
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml
    ./usr/share/man/man1/lumaveil.1.gz ./usr/share/man/man1/lumaveil-cli.1.gz
    ./usr/share/doc/lumaveil/copyright ./usr/share/doc/lumaveil/changelog.gz)
  for size in 32 48 64 128; do wanted+=("./usr/share/icons/hicolor/${size}x$size/apps/lumaveil.png"); done
  local listing missing=0
  listing=$(dpkg-deb --contents "$deb" | awk '{print $6}')
  for f in "${wanted[@]}"; do
    grep -qxF "$f" <<<"$listing" || { echo "missing: $f"; missing=1; }
  done
  # Nothing but /usr: no /usr/local, no build paths.
  grep -v -E '^\./(usr/)?$|^\./usr/' <<<"$listing" && { echo "outside /usr"; missing=1; }
  return $missing
}
deb_fields() {
  same "lumaveil $version amd64" "$(dpkg-deb --showformat='${Package} ${Version} ${Architecture}' --show "$deb")" || return 1
  local depends
  depends=$(dpkg-deb --field "$deb" Depends)
  echo "Depends: $depends"
  # dpkg-shlibdeps' work: versioned libraries of the C library and of Qt, not names by hand.
  grep -qE 'libc6 \(>= [0-9.]+\)' <<<"$depends" && grep -qE 'libqt6widgets6 \(>= [0-9.~]+\)' <<<"$depends" &&
    grep -qw qt6-qpa-plugins <<<"$depends"
}
unpacked="$scratch/deb"
desktop_files() {
  desktop-file-validate "$unpacked/usr/share/applications/$id.desktop" || return 1
  # Exec and Icon name what the package installs.
  same lumaveil "$(sed -n 's/^Exec=//p' "$unpacked/usr/share/applications/$id.desktop")" &&
    same lumaveil "$(sed -n 's/^Icon=//p' "$unpacked/usr/share/applications/$id.desktop")"
}
icon_sizes() {
  local bad=0
  for size in 32 48 64 128; do
    same "${size}x$size" "$(identify -format '%wx%h' "$unpacked/usr/share/icons/hicolor/${size}x$size/apps/lumaveil.png")" || bad=1
  done
  return $bad
}
deb_versions() {
  same "Lumaveil $version" "$("$unpacked/usr/bin/lumaveil" --version)" &&
    same "lumaveil-cli $version" "$("$unpacked/usr/bin/lumaveil-cli" --version)"
}

if [ -f "$deb" ]; then
  mkdir -p "$unpacked" && dpkg-deb --extract "$deb" "$unpacked"
  check "deb: name, version, architecture; Depends from dpkg-shlibdeps" deb_fields
  check "deb: programs, desktop entry, metainfo, icons, man pages, copyright" deb_files
  check "deb: lintian, no error or warning" lintian --fail-on error,warning --display-info "$deb"
  check "deb: desktop entry (desktop-file-validate)" desktop_files
  check "deb: AppStream metainfo (appstreamcli validate)" \
    appstreamcli validate --no-net --strict "$unpacked/usr/share/metainfo/$id.metainfo.xml"
  check "deb: hicolor icons at 32, 48, 64 and 128 px" icon_sizes
  check "deb: both programs print version $version" deb_versions
else
  check "deb: $deb exists" false
fi

# ---- the Windows zip ----------------------------------------------------------------------
top="Lumaveil-$version-windows-x64"
wanted=("$top/README.txt" "$top/lumaveil-cli.exe")
# The Windows desktop program belongs in the zip as soon as the sources have it.
[ -f "$here/src/ui/win32/main.cpp" ] && wanted+=("$top/Lumaveil.exe")
zip_files() {
  same "$(printf '%s\n' "${wanted[@]}" | sort)" \
    "$(unzip -Z1 "$zip" | grep -v '/$' | sort)"
}
wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
# Started from the unpacked zip in a fresh prefix: nothing but what the zip holds and Windows.
exe_versions() {
  [ -n "$wine" ] || { echo "wine64 is missing (Debian packages wine, wine64)"; return 1; }
  export WINEPREFIX="$scratch/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  (unset DISPLAY WAYLAND_DISPLAY; timeout 300 "$wine" wineboot -i && timeout 120 "$wineserver" -w) ||
    { echo "creating the Wine prefix failed"; return 1; }
  local bad=0 dir="$scratch/zip/$top"
  same "lumaveil-cli $version" "$(cd "$dir" && timeout 60 "$wine" lumaveil-cli.exe --version | tr -d '\r')" || bad=1
  if [ -f "$dir/Lumaveil.exe" ]; then
    same "Lumaveil $version" "$(cd "$dir" && timeout 60 "$wine" Lumaveil.exe --version | tr -d '\r')" || bad=1
  fi
  return $bad
}
if [ -f "$zip" ]; then
  mkdir -p "$scratch/zip" && unzip -q "$zip" -d "$scratch/zip"
  check "zip: just ${wanted[*]#$top/} in $top/" zip_files
  check "zip: the .exe files print version $version under Wine" exe_versions
else
  check "zip: $zip exists" false
fi

# ---- a fresh Debian 12 (--full) ------------------------------------------------------------
if [ $full -eq 1 ]; then
  mirror="${LUMAVEIL_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
  # Downloaded packages are kept between runs; every root is new.
  cache="$(cd "$native" && pwd)/packaging/debian12-cache"
  make_root() {
    [ "$(id -u)" -eq 0 ] || { echo "debootstrap and chroot need root"; return 1; }
    mkdir -p "$cache/debootstrap" "$cache/apt"
    root=$(mktemp -d "${TMPDIR:-/tmp}/lumaveil-debian12.XXXXXX")
    debootstrap --variant=minbase --cache-dir="$cache/debootstrap" bookworm "$root" "$mirror" ||
      return 1
    mount -t proc proc "$root/proc"
  }
  in_root() { chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
  # As a user would: apt resolves what the package depends on from the Debian archive.
  install_deb() {
    cp "$deb" "$root/tmp/"
    find "$cache/apt" -name '*.deb' -exec cp -t "$root/var/cache/apt/archives/" {} +
    in_root apt-get update -q &&
      in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "/tmp/$(basename "$deb")" || return 1
    find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -t "$cache/apt/" {} +
    # Every library resolves, and Qt finds a display plugin.
    ! in_root ldd /usr/bin/lumaveil /usr/bin/lumaveil-cli | grep 'not found' &&
      [ -n "$(find "$root/usr/lib" -path '*/qt6/plugins/platforms/libqxcb.so')" ] &&
      same "Lumaveil $version" "$(in_root lumaveil --version)"
  }
  # A folder whose entries a virus hid: made Hidden and System, then given back, then undone.
  run_cli() {
    local stick="$root/tmp/stick"
    mkdir -p "$stick/DCIM/100" && echo photo >"$stick/DCIM/100/a.jpg" && echo note >"$stick/notes.txt"
    in_root lumaveil-cli -q -H -S /tmp/stick || return 1
    same "0x6" "$(getfattr --only-values -n user.DOSATTRIB "$stick/notes.txt" 2>/dev/null | head -c 3)" || return 1
    local report
    report=$(in_root lumaveil-cli /tmp/stick 2>&1) || { echo "$report"; return 1; }
    echo "$report"
    grep -q '^files: 2 changed, 0 already right, 0 failed, 0 left alone; folders: 2 changed' <<<"$report" &&
      same "0x0" "$(getfattr --only-values -n user.DOSATTRIB "$stick/DCIM/100/a.jpg" 2>/dev/null | head -c 3)" &&
      in_root lumaveil-cli --list-journals | grep -q /tmp/stick &&
      in_root lumaveil-cli -q --undo &&
      same "0x6" "$(getfattr --only-values -n user.DOSATTRIB "$stick/DCIM/100/a.jpg" 2>/dev/null | head -c 3)"
  }
  start=$(date +%s)
  check "debian 12: debootstrap minbase from $mirror" make_root
  if [ -n "$root" ] && [ -d "$root/usr/bin" ]; then
    check "debian 12: apt installs the .deb with its dependencies; it starts" install_deb
    check "debian 12: the installed lumaveil-cli on a real folder, and its undo" run_cli
  fi
  echo "   the Debian 12 root took $(($(date +%s) - start)) s"
fi

echo "check-packages: $passed passed, $failed failed"
[ $failed -eq 0 ]
