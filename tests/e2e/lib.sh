# Shared steps of the end-to-end tests: a private X server, the program started as a person
# would, windows found by their titles, keys and clicks sent with xdotool.
set -euo pipefail

MAIN_TITLE='Tarnwick个性名片制作工具  BY:zelk0731'
WORK=$(mktemp -d)
XVFB_PID=
APP_PID=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null || true
    sleep 0.5
    kill -9 "$APP_PID" 2>/dev/null || true
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on a free display of the given size (default 1024x768) and exports DISPLAY.
start_x() {
  local size=${1:-1024x768}
  exec 9<> "$WORK/display"
  Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local n=0
  while [ ! -s "$WORK/display" ]; do
    sleep 0.1
    n=$((n + 1))
    [ $n -lt 100 ] || fail "Xvfb did not start"
  done
  export DISPLAY=":$(head -n1 "$WORK/display")"
  unset QT_QPA_PLATFORM
}

# Starts a program in the background with its output in $WORK/app.log.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

# Prints the id of the visible window whose title is exactly $1, waiting up to $2 seconds.
wait_window() {
  local title=$1 seconds=${2:-30} ids
  local tries=$((seconds * 10))
  while [ $tries -gt 0 ]; do
    ids=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$" 2>/dev/null || true)
    if [ -n "$ids" ]; then
      echo "$ids" | head -n1
      return 0
    fi
    kill -0 "$APP_PID" 2>/dev/null || { cat "$WORK/app.log" >&2; fail "program ended while waiting for '$title'"; }
    sleep 0.1
    tries=$((tries - 1))
  done
  cat "$WORK/app.log" >&2
  fail "no window titled '$title'"
}

# Waits for the program to end and sets EXIT_STATUS (a subshell could not wait for it).
wait_exit() {
  local seconds=${1:-30} tries
  tries=$((seconds * 10))
  while kill -0 "$APP_PID" 2>/dev/null; do
    sleep 0.1
    tries=$((tries - 1))
    [ $tries -gt 0 ] || fail "program did not end"
  done
  EXIT_STATUS=0
  wait "$APP_PID" || EXIT_STATUS=$?
  APP_PID=
}

focus() {
  xdotool windowfocus --sync "$1"
}

# Clicks at client coordinates x, y of window $1.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# A recording xdg-open first in PATH: each call appends its arguments, one per line.
install_recording_opener() {
  mkdir -p "$WORK/bin"
  cat >"$WORK/bin/xdg-open" <<'SH'
#!/bin/sh
for a in "$@"; do printf '%s\n' "$a" >> "$OPENED_LOG"; done
SH
  chmod +x "$WORK/bin/xdg-open"
  export OPENED_LOG="$WORK/opened.log"
  : >"$OPENED_LOG"
  export PATH="$WORK/bin:$PATH"
  unset BROWSER
}

# Presses nothing itself: waits for the program's save dialog (its second window), types
# `path` into it and confirms with Return; then waits for `path`.bmp or `path` to appear.
save_through_dialog() {
  local main=$1 path=$2 dialog= id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null || true); do
      [ "$id" != "$main" ] && [ -n "$(xdotool getwindowname "$id")" ] && dialog=$id
    done
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no save dialog"
  focus "$dialog"
  sleep 0.5
  xdotool type --delay 20 "$path"
  xdotool key Return
  for _ in $(seq 100); do
    [ -s "$path.bmp" ] || [ -s "$path" ] && return 0
    sleep 0.1
  done
  fail "nothing saved at $path"
}

# Closes the main window with Esc, dismisses the thank-you box, and checks the exit status 0.
close_with_esc() {
  local main=$1 box
  focus "$main"
  xdotool key Escape
  box=$(wait_window '信息：' 20)
  focus "$box"
  xdotool key Return
  wait_exit 30
  [ "$EXIT_STATUS" -eq 0 ] || { cat "$WORK/app.log" >&2; fail "exit status $EXIT_STATUS, expected 0"; }
}
