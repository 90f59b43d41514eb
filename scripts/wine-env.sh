# Sourced by the run and test scripts: the build folder and a Wine session of the
# project's own. Chooses the architecture, sets WINEPREFIX under the build folder,
# creates the prefix once, starts Xvfb when there is no display, keeps one
# wineserver alive, and stops what it started on exit.

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ROOT_DIR/scripts/xwin.sh"

source "$ROOT_DIR/scripts/wine32.sh"

# The program ships as 32-bit, and that is the build the scripts run: natively, or under
# QEMU where the kernel cannot run 32-bit code. TAVLORN_ARCH=x86_64 runs the same sources
# as a 64-bit program with Wine 64 instead.
export TAVLORN_ARCH=${TAVLORN_ARCH:-i686}
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build/$TAVLORN_ARCH}
if [ "$TAVLORN_ARCH" = x86_64 ]; then
    WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64
    export WINELOADER=$WINE TAVLORN_WINE32=
else
    TAVLORN_WINE32=$(wine32_mode)
    WINE=$(wine32_loader) WINEARCH=win32
    # The emulated loader talks to the native 64-bit server: same protocol, no emulation.
    if [ "$TAVLORN_WINE32" = native ]; then WINESERVER=/usr/lib/wine/wineserver32; else WINESERVER=/usr/lib/wine/wineserver64; fi
    unset WINELOADER
fi
export TAVLORN_WINE32
export WINE WINESERVER WINEARCH
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installer dialogs; the explorer needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

tavlorn_configure_and_build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT_DIR/cmake/mingw.cmake" -DTAVLORN_ARCH="$TAVLORN_ARCH" >/dev/null
    fi
    cmake --build "$BUILD_DIR" "$@"
}

# Every target there is, the benchmark's too, which the default build leaves out.
TAVLORN_EVERY_TARGET=(--target all TavlornBench FloorList)

# The tests run the shipped 32-bit build; every target must compile for x86_64 as well
# (the other way round when the 64-bit build is the one run). That build is only a
# compiler's check, so it is compiled unoptimised and not linked, in a folder of its own:
# a quarter less time on two cores, and the run build's optimised compile still sees
# the warnings that need optimisation.
tavlorn_build_other_arch() {
    local other=i686
    [ "$TAVLORN_ARCH" = i686 ] && other=x86_64
    local dir="$ROOT_DIR/build/$other-compile"
    echo "wine-env: compiling every target for $other as well (unoptimised, not linked or run)"
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT_DIR" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE= \
              -DCMAKE_TOOLCHAIN_FILE="$ROOT_DIR/cmake/mingw.cmake" -DTAVLORN_ARCH="$other" >/dev/null
    fi
    local objects
    objects=$(ninja -C "$dir" -t targets all | sed -n 's/^\([^:]*\.obj\): .*/\1/p')
    # shellcheck disable=SC2086
    ninja -C "$dir" $objects
}

wine_env_cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1 || true
    xwin_stop_server
}

wine_env_start_display() {
    [ -n "${DISPLAY:-}" ] || xwin_start_server 99
}

# Bump when the prefix's set-up below changes: an older prefix is then made again.
WINE_ENV_PREFIX_VERSION=2

wine_env_make_prefix() {
    local ready="$WINEPREFIX/.tavlorn-ready-$WINE_ENV_PREFIX_VERSION"
    [ -f "$ready" ] && return 0
    if [ -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-env: the wine prefix in $WINEPREFIX is out of date; making it again"
        "$WINESERVER" -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
    fi
    echo "wine-env: creating the wine prefix in $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager Wine waits ~2 s for every hidden window unless unmanaged.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # A crash must end the process, not wait on a dialog nobody sees.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Wine finds its own fonts (Marlett draws the caption buttons, Tahoma) only in the
    # prefix's Fonts folder; fonts-wine puts them in its data folder.
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # The program asks for the Gothic faces of Japanese Windows by name; give them the
    # installed IPA fonts, so every window draws the same legible Japanese text.
    local face
    for face in 'ＭＳ ゴシック=IPAGothic' 'MS Gothic=IPAGothic' \
                'ＭＳ Ｐゴシック=IPAPGothic' 'MS PGothic=IPAPGothic' 'MS UI Gothic=IPAPGothic'; do
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
    done
    "$WINESERVER" -w
    touch "$ready"
}

wine_env_start() {
    trap wine_env_cleanup EXIT
    wine_env_start_display
    wine_env_make_prefix
    "$WINESERVER" -p
    "$WINE" cmd /c exit >/dev/null 2>&1 || true  # warm the server before the first timed step
}
