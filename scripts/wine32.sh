# Sourced: which 32-bit Wine runs the shipped program here, and the emulated one's set-up.
# Where the kernel runs 32-bit x86 code, Debian's Wine 32 runs as it is. Where it cannot
# (some hypervisors refuse 32-bit code segments, so WoW64 fails too), the same Wine
# loader runs under QEMU's user-mode emulator (version 10: Debian 12's 7.2 maps memory
# page by page and needs over a minute per process). TAVLORN_WINE32=native|emulated
# overrides the probe.

WINE32_DIR="$ROOT_DIR/build/wine32-emulated"

wine32_mode() {
    case "${TAVLORN_WINE32:-}" in
        native | emulated) echo "$TAVLORN_WINE32"; return ;;
        "") ;;
        *) echo "wine32: TAVLORN_WINE32 must be native or emulated" >&2; return 1 ;;
    esac
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo native; else echo emulated; fi
}

# Prints the loader the scripts call: Wine's own, or the wrapper in the emulated tree.
wine32_loader() {
    if [ "$(wine32_mode)" = native ]; then echo /usr/lib/wine/wine; else echo "$WINE32_DIR/lib/wine/wine"; fi
}

# QEMU 10's static qemu-i386, taken out of Debian's qemu-user package (bookworm-backports,
# else trixie) through a private apt configuration: nothing is installed system-wide.
wine32_fetch_qemu() {
    local apt="$WINE32_DIR/apt" mirror suite deb
    rm -rf "$apt"
    mkdir -p "$apt/lists/partial" "$apt/archives/partial"
    # The mirror the machine already uses for its own release (its lists name it).
    local release
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    find_mirror() {
        apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 2>/dev/null |
            awk -v rel="$release" '$2 == rel { print $1; exit }'
    }
    mirror=$(find_mirror)
    if [ -z "$mirror" ]; then
        ${SUDO:-} apt-get update -q >/dev/null
        mirror=$(find_mirror)
    fi
    [ -n "$mirror" ] || { echo "wine32: no Debian mirror configured for this release" >&2; return 1; }
    for suite in bookworm-backports trixie; do
        echo "deb $mirror $suite main" >"$apt/sources.list"
        local opts=(-q -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/nonexistent
                    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt" -o Debug::NoLocking=1
                    -o APT::Sandbox::User="$(id -un)")
        apt-get "${opts[@]}" update >/dev/null 2>&1 || continue
        case "$(apt-cache "${opts[@]}" policy qemu-user 2>/dev/null | awk '/Candidate:/ { print $2 }')" in
            *:10.* | *:1[1-9].*) ;;
            *) continue ;;
        esac
        (cd "$apt" && apt-get "${opts[@]}" download qemu-user >/dev/null 2>&1) || continue
        deb=$(ls "$apt"/qemu-user_*.deb 2>/dev/null | head -n 1)
        [ -n "$deb" ] || continue
        mkdir -p "$WINE32_DIR/bin"
        dpkg-deb --fsys-tarfile "$deb" | tar -x -O ./usr/bin/qemu-i386 >"$WINE32_DIR/bin/qemu-i386.new"
        chmod +x "$WINE32_DIR/bin/qemu-i386.new"
        "$WINE32_DIR/bin/qemu-i386.new" --version >/dev/null || continue
        mv "$WINE32_DIR/bin/qemu-i386.new" "$WINE32_DIR/bin/qemu-i386"
        echo "wine32: qemu-i386 from Debian's $suite ($(basename "$deb"))"
        rm -rf "$apt"
        return 0
    done
    echo "wine32: found no qemu-user of version 10 or later in bookworm-backports or trixie" >&2
    return 1
}

# The tree the emulated loader needs, laid out like /usr: Wine finds its libraries from
# the real path of ntdll.so (so i386-unix is copied, not linked) and starts every 32-bit
# child as "<folder of its argv[0]>/wine", which is the wrapper below.
wine32_setup_emulated() {
    local stamp="$WINE32_DIR/.ready" want
    want="$(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null) 1"
    [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && return 0
    echo "wine32: setting up Wine 32 under QEMU's user-mode emulator in $WINE32_DIR"
    [ -x "$WINE32_DIR/bin/qemu-i386" ] || wine32_fetch_qemu
    rm -rf "$WINE32_DIR/lib" "$WINE32_DIR/share"
    mkdir -p "$WINE32_DIR/lib/wine" "$WINE32_DIR/lib/i386-linux-gnu/wine" "$WINE32_DIR/share"
    cp /usr/lib/wine/wine "$WINE32_DIR/lib/wine/wine-i386"
    cp -r /usr/lib/i386-linux-gnu/wine/i386-unix "$WINE32_DIR/lib/i386-linux-gnu/wine/"
    ln -s /usr/lib/i386-linux-gnu/wine/i386-windows "$WINE32_DIR/lib/i386-linux-gnu/wine/i386-windows"
    ln -s /usr/share/wine "$WINE32_DIR/share/wine"
    # WINELOADERNOEXEC: the loader would otherwise exec itself again, natively.
    cat >"$WINE32_DIR/lib/wine/wine" <<'EOF'
#!/bin/sh
here=$(dirname "$0")
WINELOADERNOEXEC=1 exec "$here/../../bin/qemu-i386" -0 "$0" "$here/wine-i386" "$@"
EOF
    chmod +x "$WINE32_DIR/lib/wine/wine"
    echo "$want" >"$stamp"
}
