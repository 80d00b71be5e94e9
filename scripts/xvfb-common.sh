# Shared by the scripts that run Pebblerun in a real X window under Xvfb
# (sourced, not run). Each step is a function, so the scripts read as the
# run they make.

# Exits with 77 (skipped) unless every tool named is installed.
xvfb_require() {
  local name=$1 tool
  shift
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$name: skipped, $tool is not installed (scripts/install-deps.sh installs it)"
      exit 77
    fi
  done
}

# A private copy of the game's files in OUT/app, so the run changes nothing
# in the build; per-user folders in OUT; silent sound, the X driver and the
# renderer SDL picks. Further arguments are find(1) tests of more files to
# leave out.
xvfb_prepare() {
  local build=$1 out=$2
  shift 2
  rm -rf "$out"
  mkdir -p "$out/app" "$out/config" "$out/runtime"
  chmod 700 "$out/runtime"
  (cd "$build/app" && find . -type f ! -name 'Pebblerun' ! -name 'Settings' ! -name 'libquillon*' \
     ! -name 'log.txt' ! -name 'screenshot*.bmp' "$@" -exec cp --parents {} "$out/app" \;)
  export XDG_CONFIG_HOME="$out/config" XDG_RUNTIME_DIR="$out/runtime" ALSOFT_DRIVERS=null SDL_VIDEODRIVER=x11
  unset SDL_RENDER_DRIVER
}

# Inside the X server: waits for the game's window (slow machines and
# sanitizer builds take their time to start), sets $window and gives it the
# keyboard. False when no window came.
xvfb_wait_for_window() {
  window=
  for _ in $(seq 300); do
    window=$(xdotool search --name "^Pebblerun v" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || return 1
  # No window manager: the pointer gives the keyboard focus.
  xdotool mousemove --window "$window" 100 100 windowfocus --sync "$window" 2>/dev/null || true
}

# Inside the X server: true once FILE holds a line matching PATTERN, false
# after SECONDS (default 60) without it.
xvfb_wait_for_line() {
  local file=$1 pattern=$2 seconds=${3:-60}
  for _ in $(seq $((seconds * 5))); do
    grep -q -- "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}
