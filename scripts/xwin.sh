# Sourced by the run, screenshot and end-to-end scripts: find a Wine program's window on
# the X server, wait until it has painted, photograph it and wait for the program to end.
# Needs DISPLAY, xdotool and ImageMagick.

# xwin_find PID NAME [SECONDS]: prints the id of the X window of process PID whose title
# matches NAME (an ASCII part of the title, so the locale does not matter).
xwin_find() {
    local pid=$1 name=$2 tries=$(( ${3:-20} * 10 )) window
    while [ "$tries" -gt 0 ]; do
        window=$(xdotool search --all --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | head -n 1 || true)
        if [ -n "$window" ]; then echo "$window"; return 0; fi
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
        tries=$((tries - 1))
    done
    return 1
}

# xwin_geometry WINDOW: prints WIDTHxHEIGHT+X+Y of the window on the screen. With an
# unmanaged Wine window this is the whole window, frame and menu bar included.
xwin_geometry() {
    # xwininfo, not xdotool: xdotool misplaces windows inside a Wine virtual desktop.
    xwininfo -id "$1" | awk -F: '
        /Absolute upper-left X/{x=$2+0} /Absolute upper-left Y/{y=$2+0}
        /^ *Width/{w=$2+0} /^ *Height/{h=$2+0}
        END{printf "%dx%d+%d+%d\n", w, h, x, y}'
}

# xwin_shot FILE [GEOMETRY]: saves the screen, or the part GEOMETRY of it, as FILE;
# without time stamps, so the same picture gives the same bytes.
xwin_shot() {
    local crop=()
    [ -z "${2:-}" ] || crop=(-crop "$2" +repage)
    import -window root "${crop[@]}" -define png:exclude-chunks=date,time "$1"
}

# xwin_wait_painted GEOMETRY [SECONDS]: waits until that part of the screen has more
# than a few colours and stays the same over three pictures 0.15 s apart, which is
# when a starting window has drawn its frame, menu bar and children. A blinking caret
# (up to 64 pixels) does not count as a change.
xwin_wait_painted() {
    local geometry=$1 tries=$(( ${2:-20} * 5 )) same=0 colours changed
    local dir
    dir=$(mktemp -d)
    while [ "$tries" -gt 0 ]; do
        import -window root -crop "$geometry" +repage "$dir/now.ppm" 2>/dev/null || true
        colours=$(convert "$dir/now.ppm" -format '%k' info:- 2>/dev/null || echo 0)
        changed=$(compare -metric AE "$dir/now.ppm" "$dir/before.ppm" null: 2>&1 >/dev/null || true)
        if [ "${colours:-0}" -gt 4 ] && [[ "$changed" =~ ^[0-9]+$ ]] && [ "$changed" -le 64 ]; then
            same=$((same + 1))
            if [ "$same" -ge 2 ]; then rm -rf "$dir"; return 0; fi
        else
            same=0
        fi
        mv "$dir/now.ppm" "$dir/before.ppm"
        sleep 0.15
        tries=$((tries - 1))
    done
    rm -rf "$dir"
    return 1
}

# xwin_wait_exit PID [SECONDS]: waits for the child process PID to end and returns its
# exit code; 124 if it is still running after SECONDS (it is left running).
xwin_wait_exit() {
    local pid=$1 tries=$(( ${2:-20} * 10 ))
    while kill -0 "$pid" 2>/dev/null; do
        [ "$tries" -le 0 ] && return 124
        sleep 0.1
        tries=$((tries - 1))
    done
    local code=0
    wait "$pid" || code=$?
    return "$code"
}
