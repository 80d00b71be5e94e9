#!/usr/bin/env bash
# Runs Pebblerun in a real X window under Xvfb: start, a key press that the
# menu answers (S takes the game's own screenshot), a picture of the screen,
# close. Leaves the pictures, the caption and the log in the output folder.
#   scripts/xvfb-smoke.sh [BUILD_DIR] [OUT_DIR]
# Exit code 0 when the program started, took the key, and ended in order;
# 77 (skipped) when the X tools are not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb-common.sh
xvfb_require xvfb-smoke xvfb-run xdotool import identify
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/xvfb-smoke}")
xvfb_prepare "$build" "$out"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  out=$1; program=$2
  "$program" --windowed --app-dir "$out/app" >"$out/stdout.txt" 2>&1 &
  pid=$!
  source scripts/xvfb-common.sh
  xvfb_wait_for_window || { echo "xvfb-smoke: no window appeared"; kill $pid; exit 1; }
  xdotool getwindowname "$window" >"$out/caption.txt"
  # S makes the menu save a screenshot: the first one that appears shows
  # that key presses reach the menu. Each press is held long enough for a
  # frame to see it.
  press() { xdotool keydown s; sleep 0.3; xdotool keyup s; sleep 0.2; }
  for _ in $(seq 120); do
    [ -f "$out/app/screenshot001.bmp" ] && break
    press
  done
  # The opening logo fades out in under two seconds; then the menu itself.
  sleep 4
  press
  sleep 0.5
  import -window root "$out/screen.png"
  # SIGTERM reaches the program as the close button does.
  kill -TERM $pid
  wait $pid
  echo $? >"$out/exit-code.txt"
' _ "$out" "$build/app/Pebblerun"

code=$(cat "$out/exit-code.txt" 2>/dev/null || echo none)
echo "caption: $(cat "$out/caption.txt" 2>/dev/null)"
echo "exit code: $code"
echo "last log line: $(tail -1 "$out/app/log.txt" 2>/dev/null)"
fail=0
if [ ! -f "$out/app/screenshot002.bmp" ]; then
  echo "xvfb-smoke: the menu did not answer S twice (no screenshot002.bmp)"
  fail=1
else
  colours=$(identify -format '%k' "$out/app/screenshot002.bmp")
  echo "screenshot002.bmp (the menu): $colours colours"
  [ "$colours" -gt 16 ] || { echo "xvfb-smoke: the screenshot shows no menu"; fail=1; }
fi
[ "$code" = 0 ] || fail=1
tail -1 "$out/app/log.txt" | grep -q "APPLICATION ENDED" || fail=1
exit $fail
