#!/usr/bin/env bash
# A KVM that can be opened but fails when the virtual CPU starts (nested virtual machines do this)
# must not fail the kernel-driver tests: run-in-vm boots again under TCG, and the program's own
# exit status still comes back. The stand-in qemu aborts whenever it is asked for KVM, as the real
# one does there, and runs the real qemu otherwise; a file stands in for a usable /dev/kvm.
#
#   kvm_fallback_test.sh <run-in-vm>
set -euo pipefail

run_in_vm=${1:?usage: $0 <run-in-vm>}
busybox=$(command -v busybox || true)
if [ -z "$busybox" ]; then
  echo "busybox is missing (Debian package busybox-static)" >&2
  exit 77
fi
real_qemu=${VMTEST_QEMU:-$(command -v qemu-system-x86_64 || true)}
if [ -z "$real_qemu" ]; then
  echo "qemu-system-x86_64 is missing (Debian package qemu-system-x86)" >&2
  exit 77
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/lumaveil-kvm-fallback.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
: >"$scratch/kvm"
cat >"$scratch/qemu" <<STANDIN
#!/usr/bin/env bash
echo "\$*" >>"$scratch/calls"
for arg in "\$@"; do
  if [ "\$arg" = kvm ]; then
    echo "qemu-system-x86_64: error: failed to set MSR 0x10a to 0x69" >&2
    kill -ABRT \$\$
  fi
done
exec "$real_qemu" "\$@"
STANDIN
chmod +x "$scratch/qemu"

status=0
VMTEST_QEMU="$scratch/qemu" VMTEST_KVM="$scratch/kvm" \
  "$run_in_vm" --skip-if-unavailable --fs vfat --timeout 240 "$busybox" sh -c 'exit 3' || status=$?
[ "$status" != 77 ] || exit 77

fail=0
if [ "$(grep -c -- '-accel kvm' "$scratch/calls" || true)" != 1 ]; then
  echo "FAIL: run-in-vm did not try KVM first, once" >&2; fail=1
fi
if [ "$(grep -c -- '-accel tcg' "$scratch/calls" || true)" != 1 ]; then
  echo "FAIL: run-in-vm did not boot again under TCG, once" >&2; fail=1
fi
if [ "$status" != 3 ]; then
  echo "FAIL: run-in-vm exited with $status, not the program's own status 3" >&2; fail=1
fi
echo "qemu calls:"; sed 's/^/  /' "$scratch/calls"
exit $fail
