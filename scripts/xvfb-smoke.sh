#!/usr/bin/env bash
# Runs Pebblerun in a real X window under Xvfb: start, a key press that the
# menu answers (S takes the game's own screenshot), a picture of the screen,
# close. Leaves the pictures, the caption and the log in the output folder.
#   scripts/xvfb-smoke.sh [BUILD_DIR] [OUT_DIR]
# Exit code 0 when the program started, took the key, and ended in order;
# 77 (skipped) when the X tools are not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xvfb-run xdotool import identify; do
  if ! command -v "$tool" >/dev/null; then
    echo "xvfb-smoke: skipped, $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/xvfb-smoke}")
rm -rf "$out"
mkdir -p "$out/app" "$out/config" "$out/runtime"
chmod 700 "$out/runtime"
# A private copy of the game's files, so the run changes nothing in the build.
(cd "$build/app" && find . -type f ! -name 'Pebblerun' ! -name 'Settings' ! -name 'libquillon*' ! -name 'log.txt' \
   ! -name 'screenshot*.bmp' -exec cp --parents {} "$out/app" \;)

export XDG_CONFIG_HOME="$out/config" XDG_RUNTIME_DIR="$out/runtime" ALSOFT_DRIVERS=null SDL_VIDEODRIVER=x11
unset SDL_RENDER_DRIVER
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  out=$1; program=$2
  "$program" --windowed --app-dir "$out/app" >"$out/stdout.txt" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    window=$(xdotool search --name "^Pebblerun v" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "${window:-}" ] || { echo "xvfb-smoke: no window appeared"; kill $pid; exit 1; }
  xdotool getwindowname "$window" >"$out/caption.txt"
  # No window manager: the pointer gives the keyboard focus.
  xdotool mousemove --window "$window" 100 100 windowfocus --sync "$window" 2>/dev/null || true
  # S makes the menu save a screenshot: the first one that appears shows
  # that key presses reach the menu. Each press is held long enough for a
  # frame to see it.
  press() { xdotool keydown s; sleep 0.3; xdotool keyup s; sleep 0.2; }
  for _ in $(seq 60); do
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
