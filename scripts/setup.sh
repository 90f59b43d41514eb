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
         locales fonts-ipafont-gothic fonts-wine cmake ninja-build googletest python3 unzip; do
    have "$p" || need_pkgs+=("$p")
done
if [ ${#need_pkgs[@]} -gt 0 ] || [ -n "${apt_update_needed:-}" ]; then
    echo "setup: installing ${need_pkgs[*]}"
    export DEBIAN_FRONTEND=noninteractive
    pin=$(mktemp)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' > "$pin"
    # A mirror caught mid-sync fails one index ("File has unexpected size"): try again, and
    # on the last try go on with the lists that did come. Without the security archive's
    # i386 list, its newer amd64 packages cannot pair with their i386 twins: the install
    # then prefers the release's own versions, which exist for both.
    apt_opts=()
    for try in 1 2 3 4; do
        $SUDO apt-get update -q && break
        [ "$try" -lt 4 ] || { apt_opts=(-o Dir::Etc::Preferences="$pin"); break; }
        sleep $((try * 15))
    done
    [ ${#apt_opts[@]} -eq 0 ] || echo "setup: apt-get update kept failing; installing the release's own versions" >&2
    [ ${#need_pkgs[@]} -eq 0 ] || $SUDO apt-get install -y -q --no-install-recommends "${apt_opts[@]}" "${need_pkgs[@]}"
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
