#!/usr/bin/env bash
# Installs what building and running under Wine needs, once; later runs only check.
set -euo pipefail
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo

need_pkgs=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    apt_update_needed=1
fi
for p in g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 xvfb xdotool x11-apps x11-utils imagemagick \
         locales fonts-ipafont-gothic fonts-wine cmake ninja-build googletest python3; do
    have "$p" || need_pkgs+=("$p")
done
if [ ${#need_pkgs[@]} -gt 0 ] || [ -n "${apt_update_needed:-}" ]; then
    echo "setup: installing ${need_pkgs[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    [ ${#need_pkgs[@]} -eq 0 ] || $SUDO apt-get install -y -q --no-install-recommends "${need_pkgs[@]}"
fi

# ja_JP.UTF-8 gives Wine the ANSI code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo "ja_JP.UTF-8 UTF-8" | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi

# The shipped program is 32-bit: where this kernel cannot run it, Wine 32 runs emulated.
ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ROOT_DIR/scripts/wine32.sh"
[ "${TAVLORN_ARCH:-i686}" != i686 ] || [ "$(wine32_mode)" = native ] || wine32_setup_emulated
