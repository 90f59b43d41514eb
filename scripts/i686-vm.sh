#!/usr/bin/env bash
# Runs one of the project's commands on the shipped 32-bit build where this host cannot:
# inside a small emulated x86_64 machine whose kernel runs 32-bit code (Debian's own
# kernel), with Wine 32. The machine's root is this host's file system, shared; /tmp and
# the benchmark's run folder are the machine's own, in memory. The Wine prefix stays on
# the shared disk: this kernel's memory file system keeps no file attributes (hidden,
# system), which Wine stores as extended attributes.
#
#   scripts/i686-vm.sh scripts/test.sh
#   scripts/i686-vm.sh scripts/bench.sh --runs 5
#
# The command runs as root in the project folder with TAVLORN_ARCH=i686; its exit code is
# this script's. There is no KVM here, so the machine is emulated and some ten times
# slower than the host: its memory and behaviour are the 32-bit program's own, its times
# are not. The machine is made once in build/vm.
set -euo pipefail
ROOT_DIR=$(cd "$(dirname "$0")/.." && pwd)
VM_DIR=$ROOT_DIR/build/vm
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
[ $# -gt 0 ] || { echo "usage: $0 COMMAND [ARGS...]" >&2; exit 2; }

"$ROOT_DIR/scripts/setup.sh"
need=()
for p in qemu-system-x86 busybox-static cpio kmod; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
    echo "i686-vm: installing ${need[*]}"
    $SUDO apt-get update -q >/dev/null
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi

# The kernel, its modules for 9p over virtio, and busybox: fetched once.
make_machine() {
    rm -rf "$VM_DIR" && mkdir -p "$VM_DIR/kernel" "$VM_DIR/initrd"/{bin,proc,sys,dev,newroot,project,modules}
    local package version
    $SUDO apt-get update -q >/dev/null  # the kernel's package name comes from the package lists
    package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
    (cd "$VM_DIR" && apt-get download -q "$package" 2>/dev/null)
    dpkg -x "$VM_DIR"/linux-image-*.deb "$VM_DIR/kernel"
    version=$(ls "$VM_DIR/kernel/lib/modules")
    depmod -b "$VM_DIR/kernel" "$version"
    cp "$VM_DIR/kernel/boot/vmlinuz-$version" "$VM_DIR/vmlinuz"
    local module
    modprobe -d "$VM_DIR/kernel" -S "$version" --show-depends -a virtio_pci 9pnet_virtio 9p |
        awk '$1 == "insmod" && !seen[$2]++ {print $2}' | while read -r module; do
        cp "$module" "$VM_DIR/initrd/modules/" && basename "$module" >>"$VM_DIR/initrd/modules/order"
    done
    cp /bin/busybox "$VM_DIR/initrd/bin/"
}
[ -f "$VM_DIR/vmlinuz" ] || { echo "i686-vm: making the machine in $VM_DIR (once)"; make_machine; }

# The start-up script: mounts the host's root over 9p and runs the command's script. The
# image is packed again whenever this text changes.
cat >"$VM_DIR/init.new" <<'EOF'
#!/bin/busybox sh
/bin/busybox --install -s /bin
mount -t proc proc /proc; mount -t sysfs sys /sys; mount -t devtmpfs dev /dev
for m in $(cat /modules/order); do insmod "/modules/$m"; done
script=$(sed -n 's/.*vmscript=\([^ ]*\).*/\1/p' /proc/cmdline)
project=${script%/build/vm/command.sh}
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000,cache=loose host /newroot; then
    mount -t proc proc /newroot/proc; mount -t sysfs sys /newroot/sys
    mount -t devtmpfs dev /newroot/dev; mkdir -p /newroot/dev/pts /newroot/dev/shm
    mount -t devpts pts /newroot/dev/pts; mount -t tmpfs shm /newroot/dev/shm
    # /tmp and /run are the machine's own; a project folder below them still shows.
    mount --bind "/newroot$project" /project
    mount -t tmpfs tmp /newroot/tmp; mount -t tmpfs run /newroot/run
    mkdir -p "/newroot$project" && mount --bind /project "/newroot$project"
    echo  # the firmware's last line ends without one
    chroot /newroot /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root /bin/bash "$script"
else
    echo "i686-vm: the host's root could not be mounted"
fi
sync; poweroff -f
EOF
if ! cmp -s "$VM_DIR/init.new" "$VM_DIR/initrd/init" || [ ! -f "$VM_DIR/initrd.gz" ]; then
    install -m 755 "$VM_DIR/init.new" "$VM_DIR/initrd/init"
    mkdir -p "$VM_DIR/initrd/project"
    (cd "$VM_DIR/initrd" && find . | cpio -o -H newc 2>/dev/null | gzip -1 >"$VM_DIR/initrd.gz")
fi

# Built here, where the compilers run ten times faster than in the machine.
(source "$ROOT_DIR/scripts/wine-env.sh" &&
    TAVLORN_ARCH=i686 BUILD_DIR="$ROOT_DIR/build/i686" tavlorn_configure_and_build "${TAVLORN_EVERY_TARGET[@]}")

rm -f "$VM_DIR/exit-code"
{
    echo "cd $(printf %q "$ROOT_DIR")"
    echo "mkdir -p build/i686/bench-run && mount -t tmpfs tmpfs build/i686/bench-run"
    echo "export TAVLORN_ARCH=i686"
    printf '%q ' "$@"; echo
    echo "echo \$? >$(printf %q "$VM_DIR/exit-code")"
} >"$VM_DIR/command.sh"

# -smap/-smep: QEMU 7.2's emulated IRET back to 32-bit user code faults with them on.
qemu-system-x86_64 -accel tcg,thread=multi -cpu max,-smap,-smep,-pku -smp "$(nproc)" -m 8G \
    -nographic -no-reboot -kernel "$VM_DIR/vmlinuz" -initrd "$VM_DIR/initrd.gz" \
    -append "console=ttyS0 quiet loglevel=0 vmscript=$VM_DIR/command.sh" \
    -virtfs local,path=/,mount_tag=host,security_model=none,multidevs=remap,id=host |
    sed -u -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\x1bc//g' -e 's/\r$//' -e '1,/^Booting from ROM/d'
[ -f "$VM_DIR/exit-code" ] || { echo "i686-vm: the command did not finish" >&2; exit 1; }
exit "$(cat "$VM_DIR/exit-code")"
