#!/usr/bin/env bash
# The program works in its own folder, whatever folder it was started from: a relative avatar
# path typed into 编辑框5 names a picture beside the executable. The saved card is the one the
# command line makes with that picture's full path, byte for byte.
source "$(dirname "$0")/lib.sh"
NAMECARD=$(readlink -f "$1")
CLI=$(readlink -f "$2")

start_x 1024x768
install_recording_opener
mkdir -p "$WORK/app" "$WORK/elsewhere"
cp "$NAMECARD" "$WORK/app/namecard"
# Any picture will do as the avatar: a card of the fourth template.
QT_QPA_PLATFORM=xcb "$CLI" render --template 4 -o "$WORK/app/me.bmp" || fail "no avatar picture"

cd "$WORK/elsewhere"
start_app "$WORK/app/namecard"
wid=$(wait_window "$MAIN_TITLE")
sleep 1
focus "$wid"
click_at "$wid" 547 186    # the avatar path box, 编辑框5
xdotool type --delay 50 'me.bmp'
click_at "$wid" 579 222    # 按钮1
save_through_dialog "$wid" "$WORK/saved.bmp"
close_with_esc "$wid"

QT_QPA_PLATFORM=xcb "$CLI" render --avatar "$WORK/app/me.bmp" -o "$WORK/reference.bmp" ||
  fail "namecard-cli render failed"
cmp "$WORK/saved.bmp" "$WORK/reference.bmp" ||
  fail "the saved card does not show the avatar beside the executable"
echo "PASS: a relative avatar path is found beside the executable"
