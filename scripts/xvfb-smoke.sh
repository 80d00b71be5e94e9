#!/usr/bin/env bash
# Runs Pebblerun in a real X window under Xvfb: start, a key press, a
# screenshot, close. Leaves the screenshots and the log in the output folder.
#   scripts/xvfb-smoke.sh [BUILD_DIR] [OUT_DIR]
# Exit code 0 when the program started, took the keys, and ended in order.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/xvfb-smoke}")
rm -rf "$out"
mkdir -p "$out/app" "$out/config"
# A private copy of the game's files, so the run changes nothing in the build.
(cd "$build/app" && find . -type f ! -name 'Pebblerun' ! -name 'Settings' ! -name 'libquillon*' ! -name 'log.txt' \
   -exec cp --parents {} "$out/app" \;)

export XDG_CONFIG_HOME="$out/config" ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  out=$1; program=$2
  "$program" --windowed --app-dir "$out/app" >"$out/stdout.txt" 2>&1 &
  pid=$!
  for _ in $(seq 50); do
    window=$(xdotool search --name "^Pebblerun v" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "${window:-}" ] || { echo "no window"; kill $pid; exit 1; }
  xdotool getwindowname "$window" >"$out/caption.txt"
  # The studio logo fades out first (about 70 frames).
  sleep 10
  import -window root "$out/menu.png"
  # No window manager: the pointer gives the keyboard focus. The first start
  # shows the story page; Return turns it to the second page.
  xdotool mousemove --window "$window" 100 100 windowfocus --sync "$window" 2>/dev/null || true
  xdotool keydown Return; sleep 0.4; xdotool keyup Return
  sleep 2
  import -window root "$out/after-keys.png"
  # SIGTERM reaches the program as the close button does.
  kill -TERM $pid
  wait $pid
  echo $? >"$out/exit-code.txt"
' _ "$out" "$build/app/Pebblerun"

code=$(cat "$out/exit-code.txt")
echo "caption: $(cat "$out/caption.txt")"
echo "exit code: $code"
tail -1 "$out/app/log.txt"
[ "$code" = 0 ] && tail -1 "$out/app/log.txt" | grep -q "APPLICATION ENDED"
