#!/usr/bin/env bash
# The real program under X: one window with its title, centred, 451 high; Esc closes it
# through the thank-you box, which hands the home page to the desktop only once dismissed;
# the exit status is 0.
source "$(dirname "$0")/lib.sh"
NAMECARD=$(readlink -f "$1")

start_x 1024x768
install_recording_opener
start_app "$NAMECARD"
wid=$(wait_window "$MAIN_TITLE")
sleep 1

count=$(xdotool search --onlyvisible --name "^Tarnwick" | wc -l)
[ "$count" -eq 1 ] || fail "expected one window, found $count"

eval "$(xdotool getwindowgeometry --shell "$wid")"
# Centred as created at 640 x 451: (1024 - 640) / 2 and (768 - 451) / 2. With no window
# manager there is no frame, so the layout rule's client width of 635 is the outer width.
[ "$X" -eq 192 ] && [ "$Y" -eq 158 ] || fail "window at $X,$Y, expected 192,158"
[ "$WIDTH" -eq 635 ] && [ "$HEIGHT" -eq 451 ] || fail "window is ${WIDTH}x$HEIGHT, expected 635x451"

focus "$wid"
xdotool key Escape
box=$(wait_window '信息：' 20)
sleep 0.5
[ ! -s "$OPENED_LOG" ] || fail "the home page was opened before the box was dismissed"
focus "$box"
xdotool key Return

wait_exit 30
status=$EXIT_STATUS
[ "$status" -eq 0 ] || { cat "$WORK/app.log" >&2; fail "exit status $status, expected 0"; }
[ "$(cat "$OPENED_LOG")" = "http://bbs.tarnwick.example" ] ||
  fail "opened '$(cat "$OPENED_LOG")', expected exactly the home page"
echo "PASS: start, centred window, Esc, thank-you box, home page, exit 0"
