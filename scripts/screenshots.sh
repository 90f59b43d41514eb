#!/usr/bin/env bash
# Makes the README's pictures again: docs/images/{main,context-menu,common-settings,
# launcher-settings,about}.png. Runs the explorer on a sample folder tree with Japanese
# names inside a Wine virtual desktop (so frames and title bars are drawn) on a private
# X server, drives it with xdotool and crops each picture to its window.
#   scripts/screenshots.sh
set -euo pipefail
"$(dirname "$0")/setup.sh"
source "$(dirname "$0")/wine-env.sh"

tavlorn_configure_and_build --target TavlornExplorer --target WindowProbe
unset DISPLAY  # always a private X server: nothing of the user's desktop gets in
wine_env_start
out="$ROOT_DIR/docs/images"
mkdir -p "$out"

# The program and its INI in C:\Tavlorn, the sample tree in C:\サンプル: short paths
# in the path box, and the user's own INI beside the build is left alone.
drive_c="$WINEPREFIX/drive_c"
app="$drive_c/Tavlorn"
sample="$drive_c/サンプル"
rm -rf "$app" "$sample"
mkdir -p "$app"
cp "$BUILD_DIR/TavlornExplorer.exe" "$BUILD_DIR/使い方.txt" "$app/"
for folder in ドキュメント 写真 音楽 プロジェクト ダウンロード; do mkdir -p "$sample/$folder"; done
for file in メモ.txt 予定表.csv 読んでください.txt 報告書.doc 家計簿.xls; do printf 'sample\r\n' > "$sample/$file"; done
printf '%s\r\n' '[COMMON_SETTING]' 'HOME=C:\サンプル' 'DISP_SYSTEM_FILE=FALSE' 'DISP_HIDDEN_FILE=FALSE' \
    '[LACNCH_SETTING]' 'NAME1=メモ帳' 'PATH1=C:\windows\notepad.exe' \
    'NAME2=エクスプローラ' 'PATH2=C:\windows\explorer.exe' \
    'NAME3=レジストリエディタ' 'PATH3=C:\windows\regedit.exe' |
    iconv -f UTF-8 -t CP932 > "$app/TavlornExplorer.ini"

desktop=tavlorn-shots
"$WINE" explorer "/desktop=$desktop,800x600" 'C:\Tavlorn\TavlornExplorer.exe' 'C:\サンプル' \
    >"$BUILD_DIR/screenshots.log" 2>&1 &
explorer_pid=$!

# The probe must run in the same desktop to see its windows. Only once that desktop
# exists, or the probe's explorer would become its host and stay.
probe() { xwin_probe "$WINE" explorer "/desktop=$desktop" "$BUILD_DIR/tests/WindowProbe.exe" "$@"; }
value() { xwin_value "$@"; }
# geometry "LEFT TOP RIGHT BOTTOM": ImageMagick's WxH+X+Y, moved by the desktop's place
# on the X screen.
geometry() {
    local l t r b
    read -r l t r b <<<"$1"
    echo "$((r - l))x$((b - t))+$((l + desk_x))+$((t + desk_y))"
}
wait_for() {  # wait_for SECONDS COMMAND...: retries the command until it succeeds
    xwin_within "$@" || { echo "screenshots: timed out waiting for: ${*:2}" >&2; return 1; }
}
main_listed() { [ "$(probe main | value rows)" = 11 ]; }
dialog_shown() { [ -n "$(probe dialog "$1" | value rect)" ]; }
menus_shown() { [ "$(probe menus | value menus)" = "$1" ]; }
main_enabled() { [ "$(probe main | value enabled)" = 1 ]; }

desktop_shown() { xdotool search --name "^$desktop - " >/dev/null 2>&1; }
wait_for 30 desktop_shown
wait_for 30 main_listed
desk_window=$(xdotool search --name "^$desktop - " | head -n 1)
desk_geometry=$(xwin_geometry "$desk_window")
desk_x=$(sed 's/.*+\(.*\)+.*/\1/' <<<"$desk_geometry")
desk_y=$(sed 's/.*+//' <<<"$desk_geometry")
state=$(probe main)
main=$(geometry "$(value rect <<<"$state")")
xwin_wait_painted "$main" 20
xwin_shot "$out/main.png" "$main"

# shoot_dialog FILE TITLE KEYS...: opens a dialog from the menu bar, photographs it and
# cancels it.
shoot_dialog() {
    local file=$1 title=$2; shift 2
    xdotool key "$@"
    wait_for 10 dialog_shown "$title"
    local rect
    rect=$(geometry "$(probe dialog "$title" | value rect)")
    xwin_wait_painted "$rect" 10
    xwin_shot "$out/$file" "$rect"
    xdotool key Escape
    wait_for 10 main_enabled
}
shoot_dialog common-settings.png 共通設定 alt+s c
shoot_dialog launcher-settings.png ランチャー設定 alt+s l
shoot_dialog about.png バージョン情報 alt+h v

# The context menu on a file row, with its launcher sub-menu opened from the keyboard
# (Up reaches the sub-menu, the last item; Right opens it).
read -r l t r b <<<"$(grep -m1 '|ファイル$' <<<"$state" | cut -d= -f2 | cut -d'|' -f1)"
xdotool mousemove $((desk_x + l + 40)) $((desk_y + (t + b) / 2)) click 3
wait_for 10 menus_shown 1
xdotool key Up Right
wait_for 10 menus_shown 2
xwin_wait_painted "$main" 10
xwin_shot "$out/context-menu.png" "$main"
xdotool key Escape Escape
wait_for 10 menus_shown 0

# Close the explorer as a user does; the desktop ends with its last window.
close=$(probe main | value close)
xdotool mousemove $((desk_x + ${close% *})) $((desk_y + ${close#* })) click 1
xwin_wait_exit "$explorer_pid" 20 || true
for picture in main context-menu common-settings launcher-settings about; do
    echo "$out/$picture.png"
done
