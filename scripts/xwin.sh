# Sourced by the Wine environment and the end-to-end script: start a private X server,
# find a Wine program's window on it, wait until it has painted, photograph it, read the
# window probe's report and wait for the program to end. Apart from the server start,
# needs DISPLAY, xdotool and ImageMagick.

# xwin_start_server [FIRST]: starts Xvfb on the first free display from FIRST (default 99)
# on and exports DISPLAY; xwin_stop_server ends it.
xwin_server_pid=
xwin_start_server() {
    local n=${1:-99}
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xwin_server_pid=$!
    export DISPLAY=":$n"
    xwin_within 10 test -e "/tmp/.X11-unix/X$n" && return 0
    echo "xwin: Xvfb did not start on :$n" >&2
    return 1
}

xwin_stop_server() {
    [ -n "$xwin_server_pid" ] || return 0
    kill "$xwin_server_pid" 2>/dev/null || true
    wait "$xwin_server_pid" 2>/dev/null || true
    xwin_server_pid=
}

# xwin_within SECONDS COMMAND...: retries the command every 0.1 s until it succeeds;
# false once SECONDS have passed.
xwin_within() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# xwin_probe COMMAND...: runs the window probe's command line and prints its report,
# one KEY=VALUE a line, in UTF-8; xwin_value KEY picks a value out of such a report.
xwin_probe() { timeout 20 "$@" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r'; }
xwin_value() { sed -n "s/^$1=//p" | head -n 1; }

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
