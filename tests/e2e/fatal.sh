#!/usr/bin/env bash
# A fatal error shows one report and ends the program with 255, without the closing
# sequence: no thank-you box, no home page.
source "$(dirname "$0")/lib.sh"
PROBE=$(readlink -f "$1")

start_x 1024x768
install_recording_opener
start_app "$PROBE"
report=$(wait_window '致命错误' 60)
focus "$report"
xdotool key Return
wait_exit 30
status=$EXIT_STATUS
[ "$status" -eq 255 ] || { cat "$WORK/app.log" >&2; fail "exit status $status, expected 255"; }
[ ! -s "$OPENED_LOG" ] || fail "a page was opened after a fatal error"
grep -q '下标超出范围' "$WORK/app.log" || fail "the report did not name the error"
echo "PASS: fatal error report, exit 255, no closing sequence"
