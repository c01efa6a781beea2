#!/usr/bin/env bash
# A person makes a card: types into the nickname box, chooses the second template with the
# keyboard, presses the save button, saves through the real dialog, and closes with Esc.
# The saved file is a 24-bit BMP of the card whose nickname row shows the typed text.
source "$(dirname "$0")/lib.sh"
NAMECARD=$(readlink -f "$1")
CLI=$(readlink -f "$2")

start_x 1024x768
install_recording_opener
start_app "$NAMECARD"
wid=$(wait_window "$MAIN_TITLE")
sleep 1
focus "$wid"

# Client coordinates: the settings frame's client area starts at 407, 8.
click_at "$wid" 612 42     # the nickname box, 编辑框1
xdotool key End
xdotool type --delay 50 'XYZ'
click_at "$wid" 540 114    # the QQ box, 编辑框4; Tab moves on to the template chooser
xdotool key Tab
xdotool key Down           # the second template
sleep 0.3
click_at "$wid" 579 222    # 按钮1, "生成制作名片"

target="$WORK/my card"
# The dialog adds the default extension to a name without one.
save_through_dialog "$wid" "$target"
[ -s "$target.bmp" ] || fail "no file saved at $target.bmp"
close_with_esc "$wid"

size=$(stat -c %s "$target.bmp")
[ "$size" -eq 126054 ] || fail "saved $size bytes, expected 126054"
[ "$(od -An -c -N2 "$target.bmp" | tr -d ' ')" = "BM" ] || fail "no BM signature"
le32() { od -An -tu4 -j"$2" -N4 "$1" | tr -d ' '; }
le16() { od -An -tu2 -j"$2" -N2 "$1" | tr -d ' '; }
[ "$(le32 "$target.bmp" 2)" -eq 126054 ] || fail "file size field"
[ "$(le32 "$target.bmp" 10)" -eq 54 ] || fail "data offset field"
[ "$(le32 "$target.bmp" 18)" -eq 300 ] && [ "$(le32 "$target.bmp" 22)" -eq 140 ] || fail "size fields"
[ "$(le16 "$target.bmp" 28)" -eq 24 ] || fail "bits per pixel"

# The same card without the typed text, from the command line: only the nickname row
# (card rows 32 to 51) differs. Rows are stored bottom-up, 900 bytes each.
QT_QPA_PLATFORM=xcb "$CLI" render --template 2 -o "$WORK/reference.bmp" ||
  fail "namecard-cli render failed"
row_offset() { echo $((54 + (139 - $1) * 900)); }
cmp -s -n $((88 * 900)) -i "$(row_offset 139):$(row_offset 139)" "$target.bmp" "$WORK/reference.bmp" ||
  fail "rows 52 to 139 differ from the second template's card"
cmp -s -n $((32 * 900)) -i "$(row_offset 31):$(row_offset 31)" "$target.bmp" "$WORK/reference.bmp" ||
  fail "rows 0 to 31 differ from the second template's card"
if cmp -s -n $((20 * 900)) -i "$(row_offset 51):$(row_offset 51)" "$target.bmp" "$WORK/reference.bmp"; then
  fail "the typed text did not change the nickname row"
fi
echo "PASS: typed, chose template 2, saved a 126054-byte BMP through the dialog, closed with 0"
