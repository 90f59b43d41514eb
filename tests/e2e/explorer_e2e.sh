#!/usr/bin/env bash
# Drives the built explorer through X with xdotool, as a person would, and reads the
# results from outside: the window probe (path box text, list rows and their texts,
# focus, dialogs), the screen's pixels, the INI file, the recorder's log and the exit
# code. Runs in a Wine prefix and on an X server of its own, so nothing else steals
# focus, and every process it leaves is its own.
#   explorer_e2e.sh EXPLORER.exe RECORDER.exe PROBE.exe   (WINE, WINESERVER and the
#   suite's WINEPREFIX come from scripts/test.sh)
set -euo pipefail
explorer=$1 recorder=$2 probe_exe=$3
: "${WINE:?run through scripts/test.sh}" "${WINESERVER:?}" "${WINEPREFIX:?}"
source "$(dirname "$0")/../../scripts/xwin.sh"
# Control ids by their names in the resource header.
resource_id() { sed -n "s/^#define $1 *\([0-9]*\)\$/\1/p" "$(dirname "$0")/../../resources/resource.h"; }
IDOK=1 IDC_PATH=$(resource_id IDC_PATH) IDC_BROWSE=$(resource_id IDC_BROWSE) IDC_FILE_LIST=$(resource_id IDC_FILE_LIST) IDC_DISP_HIDDEN_FILE=$(resource_id IDC_DISP_HIDDEN_FILE)

work="$(dirname "$explorer")/e2e"
suite_prefix=$WINEPREFIX
export WINEPREFIX="$work/prefix"
"$WINESERVER" -k >/dev/null 2>&1 || true  # a previous run's leftovers, in its own prefix
rm -rf "$work"
mkdir -p "$work"

# A private prefix made from the suite's in a second: the big system folder hard-linked
# (Wine never writes into it), the rest copied so nothing here changes the suite's.
mkdir -p "$WINEPREFIX/drive_c/windows"
for entry in "$suite_prefix"/* "$suite_prefix"/.[!.]*; do
    [ "$(basename "$entry")" = drive_c ] || [ "$(basename "$entry")" = wineserver ] || cp -a "$entry" "$WINEPREFIX/"
done
# The other suites run meanwhile and fill and empty their folders under Temp and
# Documents: those are left out, and a file that goes while it is read is no error.
(cd "$suite_prefix/drive_c" &&
    tar --exclude=./windows --exclude='./users/*/Temp/*' --exclude='./users/*/Documents/tavlorn-*' \
        --ignore-failed-read --warning=none -cf - . 2>/dev/null || true) |
    tar -C "$WINEPREFIX/drive_c" -xf -
for entry in "$suite_prefix"/drive_c/windows/*; do
    if [ "$(basename "$entry")" = system32 ]; then cp -al "$entry" "$WINEPREFIX/drive_c/windows/"
    else cp -a "$entry" "$WINEPREFIX/drive_c/windows/"; fi
done

app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    "$WINESERVER" -k >/dev/null 2>&1 || true
    xwin_stop_server
}
trap cleanup EXIT
xwin_start_server 120  # its own, whatever display the suite has
"$WINESERVER" -p
echo "# prefix and X server ready (${SECONDS}s)"

# Every window of this prefix in one virtual desktop as large as the screen: keys reach
# the active window wherever the pointer is, and probes see the explorer's windows.
# Shell verbs that would start notepad or explorer start the recorder instead.
C="$WINEPREFIX/drive_c/e2e"
mkdir -p "$C/app"
cp "$explorer" "$C/app/TavlornExplorer.exe"
cp "$recorder" "$C/app/Recorder.exe"
recorder_win='C:\e2e\app\Recorder.exe'
{
    echo 'Windows Registry Editor Version 5.00'
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
    echo '"Desktop"="Default"'
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
    echo '"Default"="1024x768"'
    for class in txtfile Directory Folder; do
        echo "[HKEY_CLASSES_ROOT\\$class\\shell\\open\\command]"
        echo "@=\"\\\"${recorder_win//\\/\\\\}\\\" \\\"%1\\\"\""
    done
} > "$work/e2e.reg"
"$WINE" regedit /S 'Z:'"$(sed 's|/|\\|g' <<<"$work/e2e.reg")" >/dev/null 2>&1

# The folder tree. Dot-files are hidden under Wine.
T="$C/tree"
mkdir -p "$T/alpha/inner" "$T/beta" "$T/home"
touch "$T/b.txt" "$T/.secret.txt" "$T/alpha/one.txt" "$T/beta/two.txt" "$T/beta/three.txt" "$T/beta/.note.txt" \
      "$T/home/h1.txt" "$T/home/h2.txt" "$T/home/h3.txt"
printf '%s\r\n' '[COMMON_SETTING]' 'HOME=C:\e2e\tree\home' 'DISP_SYSTEM_FILE=FALSE' 'DISP_HIDDEN_FILE=FALSE' \
    '[LACNCH_SETTING]' 'NAME1=記録' "PATH1=$recorder_win" "NAME2=$(printf 'W%.0s' {1..300})" "PATH2=$recorder_win" | iconv -f UTF-8 -t CP932 > "$C/app/TavlornExplorer.ini"
export TAVLORN_RECORD_FILE='C:\e2e\record.log'
record="$C/record.log"

failures=0
pass() { echo "ok - $1 (${SECONDS}s)"; }
fail() { echo "FAILED - $1 (${SECONDS}s)"; failures=$((failures + 1)); }
probe() { xwin_probe "$WINE" "$probe_exe" "$@"; }
field() { xwin_value "$1" <<<"$state"; }
selected_name() { sed -n "s/^row$(field selected)=[^|]*|\([^|]*\)|.*/\1/p" <<<"$state"; }
row_names() { sed -n 's/^row[0-9]*=[^|]*|\([^|]*\)|.*/\1/p' <<<"$state" | sort | tr '\n' ' '; }
row_rect() { grep -m1 "|$1|" <<<"$state" | cut -d= -f2 | cut -d'|' -f1; }
# until_main SECONDS CONDITION: re-reads the main window until the shell CONDITION holds
# (it sees $state); false on timeout, with $state the last reading.
main_holds() { state=$(probe main); eval "$1"; }
until_main() { xwin_within "$1" main_holds "$2"; }
within() { xwin_within "$@"; }
shows() { [ "$(field path)" = "$1" ] && [ "$(field rows)" = "$2" ]; }
click_rect() {  # click_rect "L T R B" BUTTON [REPEAT]: clicks the middle of a rectangle
    local l t r b
    read -r l t r b <<<"$1"
    xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click --repeat "${3:-1}" --delay 120 "$2"
}
# colours_in "L T R B": the pixel colours that the screen shows in a rectangle.
colours_in() {
    local l t r b
    read -r l t r b <<<"$1"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage -depth 8 -format %c histogram:info:- 2>/dev/null |
        sed -n 's/^ *\([0-9]*\): *(\([0-9, ]*\)).*/\1:\2/p' | tr -d ' ' | tr ':' ' '
}

"$WINE" 'C:\e2e\app\TavlornExplorer.exe' 'C:\e2e\tree' >"$work/explorer.out" 2>&1 &
app_pid=$!

# 1. Start-up: the folder from the command line, hidden entries left out, folders blue
#    and files grey on black.
if until_main 30 'shows "C:\e2e\tree" 5'; then
    if [ "$(row_names)" = ".. alpha b.txt beta home " ]; then pass "starts in the folder of its command line"
    else fail "start-up rows: $(row_names)"; fi
else
    fail "start-up: the explorer did not show C:\\e2e\\tree: $state"; exit 1
fi
xwin_wait_painted "$(field list | awk '{printf "%dx%d+%d+%d", $3-$1, $4-$2, $1, $2}')" 10 || true
folder_colours=$(colours_in "$(row_rect alpha)")
file_colours=$(colours_in "$(row_rect b.txt)")
list_colours=$(colours_in "$(field list)")
blue=' 0,120,255$' grey=' 196,196,196$'
if grep -q "$blue" <<<"$folder_colours" && ! grep -q "$grey" <<<"$folder_colours" &&
   grep -q "$grey" <<<"$file_colours" && ! grep -q "$blue" <<<"$file_colours" &&
   [ "$(sort -rn <<<"$list_colours" | head -n 1 | cut -d' ' -f2)" = 0,0,0 ]; then
    pass "folder rows blue, file rows grey, on black"
else
    fail "row colours: folder row [$folder_colours] file row [$file_colours]"
fi

# 1b. Keys alone, no click first: Down and Enter go in, Backspace comes back onto the folder left.
until_main 10 '[ "$(field focus)" = $IDC_FILE_LIST ] && [ "$(field selected)" = -1 ]' || fail "focus at start: $state"
xdotool key Down Return
until_main 10 'shows "C:\e2e\tree\alpha" 3' || fail "Down and Enter at start: $state"
xdotool key BackSpace
until_main 10 'shows "C:\e2e\tree" 5 && [ "$(selected_name)" = alpha ]' || fail "Backspace onto the folder left: $state"
xdotool key Return
until_main 10 'shows "C:\e2e\tree\alpha" 3' || fail "Enter on the folder left: $state"
xdotool key BackSpace
until_main 10 'shows "C:\e2e\tree" 5' && pass "keys alone go in, up onto the folder left, in again" || fail "Backspace: $state"

# 1c. Keyboard alone: Alt+D, Ctrl+L and F4 select the path box's text for a typed folder (no
#     row here) and Enter; F6 round the children, Enter on 参照 opening the picker, Shift+F6 back.
for keys in alt+d ctrl+l F4; do
    xdotool key "$keys"; xdotool type --delay 20 'C:\e2e\tree\alpha\inner'; xdotool key Return
    until_main 10 'shows "C:\e2e\tree\alpha\inner" 1 && [ "$(field focus)" = $IDC_FILE_LIST ]' || fail "$keys, a typed folder, Enter: $state"
    xdotool key BackSpace BackSpace
    until_main 10 'shows "C:\e2e\tree" 5' || fail "BackSpace after $keys: $state"
done
after() { xdotool key "$1"; until_main 10 "[ \"\$(field ${3:-focus})\" = $2 ]"; }  # after KEY VALUE [FIELD]
after F6 $IDC_PATH && after F6 $IDC_BROWSE && after Return 0 enabled && after Escape $IDC_BROWSE && after F6 $IDC_FILE_LIST &&
    after shift+F6 $IDC_BROWSE && after shift+F6 $IDC_PATH && after shift+F6 $IDC_FILE_LIST &&
    pass "the path box and 参照 by keyboard alone" || fail "F6, Enter on 参照, Shift+F6: $state"

# 2. A double-click on a folder row goes into it.
click_rect "$(row_rect alpha)" 1 2
if until_main 10 'shows "C:\e2e\tree\alpha" 3'; then pass "double-click on a folder row goes in"
else fail "double-click: $state"; fi

# 3. Backspace in the list goes up.
xdotool key BackSpace
if until_main 10 'shows "C:\e2e\tree" 5'; then pass "Backspace goes up"
else fail "Backspace: $state"; fi

# 4. A file made on disk shows only after F5.
touch "$T/c.txt"
state=$(probe main)
if [ "$(field rows)" = 5 ]; then
    xdotool key F5
    if until_main 10 'shows "C:\e2e\tree" 6 && [[ "$(row_names)" == *" c.txt "* ]]'; then pass "F5 reloads and shows a new file"
    else fail "F5: $state"; fi
else
    fail "the list changed before F5: $state"
fi

# 5. Ctrl+Home goes home. Ctrl is held until the list has moved, as a person holds it:
#    the explorer asks for Ctrl's state when it handles Home, which may be after a
#    quick release has already been seen.
xdotool keydown ctrl key Home
if until_main 10 'shows "C:\e2e\tree\home" 4'; then pass "Ctrl+Home goes to the home folder"
else fail "Ctrl+Home: $state"; fi
xdotool keyup ctrl

# 6. A path typed into the path box and Enter lists it; Tab and Escape there change
#    nothing: the next letter still lands in the box, after the same text.
click_rect "$(field pathbox)" 1
xdotool key End shift+Home
xdotool type --delay 20 'C:\e2e\tree\beta'
xdotool key Return
if until_main 10 'shows "C:\e2e\tree\beta" 3 && [ "$(field focus)" = $IDC_FILE_LIST ]'; then pass "Enter in the path box lists the typed folder and goes to the list"
else fail "typed path and Enter: $state"; fi
read -r pl pt pr pb <<<"$(field pathbox)"
click_rect "$pl $pt $((pr - 200)) $pb" 1  # not where the last click was: no double-click
until_main 10 '[ "$(field focus)" = $IDC_PATH ]' || fail "a click on the path box: $state"
xdotool key End shift+Home
xdotool type --delay 20 '..\beta'  # from the listed folder, whatever the process's own
xdotool key Return
if until_main 10 'shows "C:\e2e\tree\beta" 3 && [ "$(field focus)" = $IDC_FILE_LIST ]'; then pass "a relative path typed into the path box is taken from the listed folder"
else fail "relative path and Enter: $state"; fi
click_rect "$(field pathbox)" 1
for key in Tab Escape; do
    xdotool key "$key" End  # Enter rewrote the box, which put the caret first
    xdotool type x
    if until_main 10 'shows "C:\e2e\tree\betax" 3 && [ "$(field focus)" = $IDC_PATH ]'; then
        pass "$key in the path box changes nothing"
    else
        fail "$key in the path box: $state"
    fi
    xdotool key BackSpace
    until_main 10 'shows "C:\e2e\tree\beta" 3' || fail "BackSpace in the path box: $state"
done
# A typed folder that is not there is refused in a message box; OK puts the box back on
# the listed folder, with the keyboard.
refusal_shown() { [ -n "$(probe dialog Tavlornエクスプローラ)" ]; }
xdotool type x; xdotool key Return
if within 10 refusal_shown; then
    xdotool key Return
    until_main 10 'shows "C:\e2e\tree\beta" 3 && [ "$(field focus)" = $IDC_PATH ] && ! refusal_shown' &&
        pass "a missing typed folder is refused visibly and the box shows the listed folder" || fail "after the refusal: $state"
else
    fail "Enter on no folder showed no message"
fi
xdotool key End shift+Home
xdotool type --delay 20 'C:\e2e\tree\alpha'  # typed, not entered: beta is still listed

# 7. Right-click on a file row, "～で開く (&H)" and its first item start the launcher
#    program with the entry's path in quotes: the path of the listed folder's entry.
click_rect "$(row_rect two.txt)" 3
menus_open() { [ "$(probe menus | sed -n 's/^menus=//p')" = "$1" ]; }
recorded() { [ -s "$record" ]; }
if within 10 menus_open 1; then
    xdotool key Up Right  # the sub-menu is the last item
    if within 10 menus_open 2; then
        # The 300-character name of entry 2 is cut: no menu wider than about a third of the screen.
        widest=$(probe menus | sed -n 's/^menu[0-9]*=\([-0-9]*\) [-0-9]* \([-0-9]*\) .*/\1 \2/p' | awk '{w=$2-$1; if (w>m) m=w} END{print m+0}')
        [ "$widest" -le $((1024 / 3 + 40)) ] && pass "a long launcher name keeps the sub-menu narrow ($widest px)" ||
            fail "the sub-menu is $widest px wide"
        xdotool key Return
        within 10 recorded || true
        line=$(tr -d '\r' < "$record" 2>/dev/null | head -n 1)
        if [[ "$line" == *'Recorder.exe" "C:\e2e\tree\beta\two.txt"' ]] && [ "$(wc -l < "$record")" = 1 ]; then
            pass "the launcher item of the context menu starts its program with the quoted path"
        else
            fail "launcher: recorded [$line]"
        fi
    else
        fail "the sub-menu did not open"; xdotool key Escape Escape
    fi
else
    fail "right-click showed no context menu"
fi
click_rect "$(field pathbox)" 1
xdotool key End shift+Home
xdotool type --delay 20 'C:\e2e\tree\beta'

# 7b. Shift+F10 in the list opens the context menu at the focused row.
click_rect "$(row_rect two.txt)" 1
xdotool key shift+F10
if within 10 menus_open 1; then
    read -r ml mt _ _ <<<"$(probe menus | sed -n 's/^menu0=//p')"
    read -r rl rt rr rb <<<"$(row_rect two.txt)"
    [ "$ml" -ge "$rl" ] && [ "$ml" -le "$rr" ] && [ "$mt" -ge "$rt" ] && [ "$mt" -le $((rb + 4)) ] &&
        pass "Shift+F10 opens the context menu at the focused row" || fail "Shift+F10 menu at $ml $mt, row $rl $rt $rr $rb"
    xdotool key Escape
    within 10 menus_open 0 || fail "Escape left a menu open"
else
    fail "Shift+F10 showed no context menu"
fi

# 7c. F5 on a listed folder deleted meanwhile lists the nearest folder left.
mkdir -p "$T/gone/deeper"
click_rect "$(field pathbox)" 1
xdotool key End shift+Home
xdotool type --delay 20 'C:\e2e\tree\gone\deeper'
xdotool key Return
until_main 10 'shows "C:\e2e\tree\gone\deeper" 1' || fail "into gone\\deeper: $state"
rm -r "$T/gone"
xdotool key F5
until_main 10 'shows "C:\e2e\tree" 6' && pass "F5 on a deleted folder lists its nearest parent" || fail "F5 on a deleted folder: $state"

# 7d. ランチャー設定 by keyboard alone: the first focus is 項目 1's name, 27 Tabs reach
#     項目 10's; a click into a name, a wheel notch, and the typing stays in that entry.
xdotool key alt+s
xdotool key l
launch_open() { dialog=$(probe dialog ランチャー設定); [ -n "$dialog" ]; }
if within 10 launch_open; then
    xdotool key End; xdotool type X
    for _ in $(seq 27); do xdotool key Tab; done
    xdotool type ten
    read -r l t r b <<<"$(sed -n 's/^control110=\([^|]*\)|.*/\1/p' <<<"$dialog")"
    xdotool mousemove $((r - 4)) $(((t + b) / 2)) click 1  # row 1 shows 項目 7 now
    xdotool key End; xdotool type P
    xdotool click 4  # one notch up: 項目 7 moves to the second row
    sleep 0.3
    xdotool type Q
    click_rect "$(sed -n "s/^control$IDOK=\([^|]*\)|.*/\1/p" <<<"$dialog")" 1
    until_main 10 '[ "$(field enabled)" = 1 ]' || fail "ランチャー設定 did not close: $state"
    ini=$(iconv -f CP932 -t UTF-8 "$C/app/TavlornExplorer.ini" | tr -d '\r')
    if grep -qx 'NAME1=記録X' <<<"$ini" && grep -qx 'NAME10=ten' <<<"$ini" && grep -qx 'NAME7=PQ' <<<"$ini" &&
       ! grep -q '^NAME6=.' <<<"$ini"; then
        pass "ランチャー設定 reaches 項目 10 by keyboard and typing follows its entry over the wheel"
    else
        fail "ランチャー設定 saved: $(grep '^NAME' <<<"$ini" | cut -c1-20 | tr '\n' ' ')"
    fi
else
    fail "Alt+S, L opened no ランチャー設定 dialog"
fi
click_rect "$(field pathbox)" 1
xdotool key End shift+Home
xdotool type --delay 20 'C:\e2e\tree\beta'
xdotool key Return
until_main 10 'shows "C:\e2e\tree\beta" 3' || fail "back to beta: $state"

# 8. Alt+S, C opens "共通設定"; ticking "隠しファイルを表示する" and Enter (登録) show the
#    hidden entry at once and write the INI file.
dialog=
xdotool key alt+s
xdotool key c
dialog_open() { dialog=$(probe dialog 共通設定); [ -n "$dialog" ]; }
if within 10 dialog_open; then
    hidden_box=$(sed -n "s/^control$IDC_DISP_HIDDEN_FILE=\([^|]*\)|.*/\1/p" <<<"$dialog")
    read -r l t r b <<<"$hidden_box"
    xdotool mousemove $((l + 6)) $(((t + b) / 2)) click 1
    box_ticked() { probe dialog 共通設定 | grep -q "^control$IDC_DISP_HIDDEN_FILE=.*|1\$"; }
    within 10 box_ticked || fail "the hidden-files box did not tick"
    xdotool key Return  # the box has the keyboard: Enter is 登録
    if until_main 10 '[ "$(field enabled)" = 1 ] && [ "$(field focus)" = $IDC_FILE_LIST ] && shows "C:\e2e\tree\beta" 4 && [[ "$(row_names)" == *" .note.txt "* ]]'; then
        pass "showing hidden files takes effect at once"
    else
        fail "hidden files after 登録: $state"
    fi
    ini=$(iconv -f CP932 -t UTF-8 "$C/app/TavlornExplorer.ini" | tr -d '\r')
    if grep -qx 'DISP_HIDDEN_FILE=TRUE' <<<"$ini" && grep -qx 'HOME=C:\\e2e\\tree\\home' <<<"$ini"; then
        pass "登録 writes the INI file"
    else
        fail "INI after 登録: $ini"
    fi
else
    fail "Alt+S, C opened no 共通設定 dialog"
fi

# 9. The close box ends the program with exit code 0.
state=$(probe main)
close=$(field close)
if [ -n "$close" ]; then
    xdotool mousemove ${close% *} ${close#* } click 1
    code=0
    xwin_wait_exit "$app_pid" 20 || code=$?
    app_pid=
    if [ "$code" = 0 ]; then pass "the close box ends the program with exit code 0"
    else fail "exit code after the close box: $code"; fi
else
    fail "no close box found: $state"
fi

[ "$failures" = 0 ] || { echo "$failures end-to-end check(s) failed"; exit 1; }
