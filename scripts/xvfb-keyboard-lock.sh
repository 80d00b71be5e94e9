#!/usr/bin/env bash
# The keyboard lock with real key events in a real X window under Xvfb, full
# screen: a game is ended with Escape, and at its name prompt Control+Escape,
# Alt+Escape and Alt+Enter (which also switches to a window) must not confirm
# the name being typed; only the plain Enter at the end does. The name stored
# in the score table shows which keys got through.
#   scripts/xvfb-keyboard-lock.sh [BUILD_DIR] [OUT_DIR]
# Exit code 0 when the name is "ABC"; 77 (skipped) without the X tools.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/xvfb-common.sh
xvfb_require xvfb-keyboard-lock xvfb-run xdotool
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-$build/xvfb-keyboard-lock}")
xvfb_prepare "$build" "$out" ! -name 'replay.ini' ! -name 'wd*.jpg'
# The main menu at once, and a table every score enters: the game's end asks
# for a name.
printf '[main]\r\nStoryReaden=True\r\nGameMode_Story=True\r\n' >"$out/app/textures/options.bmp"
table='[hs]\r\n'
for row in 0 1 2 3 4 5 6 7 8 9; do table+="s$row=0\r\nn$row=NOBODY\r\n"; done
printf "$table" >"$out/app/textures/dot_black2.bmp"

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  out=$1; program=$2
  "$program" --fullscreen --app-dir "$out/app" >"$out/stdout.txt" 2>&1 &
  pid=$!
  source scripts/xvfb-common.sh
  xvfb_wait_for_window || { echo "xvfb-keyboard-lock: no window appeared"; kill $pid; exit 1; }
  # Each key or combination held long enough for a frame to see it.
  press() { xdotool keydown "$@"; sleep 0.3; for ((i = $#; i >= 1; i--)); do xdotool keyup "${!i}"; done; sleep 0.3; }
  # New game: the menu takes Enter once its opening logo is over, so Return
  # is pressed until the log says the game started.
  started=0
  for _ in $(seq 30); do
    press Return
    if xvfb_wait_for_line "$out/app/log.txt" "Game started with seed" 3; then started=1; break; fi
  done
  [ $started = 1 ] || { echo "xvfb-keyboard-lock: no game started"; kill $pid; exit 1; }
  # Ends it: the name prompt, where Escape held any longer would confirm
  # the name at once.
  xdotool key Escape
  sleep 1
  for _ in 1 2 3 4 5 6 7 8; do press BackSpace; done
  press a
  press Control_L Escape
  press Alt_L Escape
  press b
  press Alt_L Return
  sleep 1
  press c
  press Return       # the name is confirmed here, and only here
  # The table is written when the name is confirmed.
  xvfb_wait_for_line "$out/app/textures/dot_black2.bmp" "^n0=[^N]" 20 || true
  kill -TERM $pid
  wait $pid
  echo $? >"$out/exit-code.txt"
' _ "$out" "$build/app/Pebblerun"

code=$(cat "$out/exit-code.txt" 2>/dev/null || echo none)
name=$(tr -d '\r' <"$out/app/textures/dot_black2.bmp" | grep '^n0=' || true)
echo "exit code: $code"
echo "first row of the table: $name"
fail=0
[ "$name" = "n0=ABC" ] || { echo "xvfb-keyboard-lock: a combination reached the name prompt"; fail=1; }
[ "$code" = 0 ] || fail=1
tail -1 "$out/app/log.txt" | grep -q "APPLICATION ENDED" || fail=1
exit $fail
