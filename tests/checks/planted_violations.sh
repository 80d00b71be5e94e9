#!/usr/bin/env bash
# Plants one violation of each house rule in a scratch copy of a tiny tree and
# expects scripts/check-sources.sh to fail on it, naming the rule; the same
# tree without the violation passes.
set -uo pipefail
source_dir=$1
check=$source_dir/scripts/check-sources.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

clean_tree() {  # folder
  mkdir -p "$1"/game/sim "$1"/game/headless "$1"/game/program "$1"/engine/src/platform "$1"/settings
  cp "$source_dir/.clang-format" "$1/"
  printf '#include "sim/game_state.h"\n\nint Rule() { return 1; }\n' >"$1/game/sim/rule.cpp"
  printf '#include <SDL.h>\n\nint Video() { return 2; }\n' >"$1/engine/src/platform/video.cpp"
  printf '#include <QWidget>\n\nint Dialog() { return 3; }\n' >"$1/settings/dialog.cpp"
}

expect() {  # rule, file, content
  local tree=$scratch/$RANDOM$RANDOM
  clean_tree "$tree"
  mkdir -p "$(dirname "$tree/$2")"
  printf '%b' "$3" >"$tree/$2"
  local out
  if out=$("$check" "$tree" 2>&1); then
    echo "FAIL: $1 violation in $2 passed the check"
    failures=$((failures + 1))
  elif ! grep -q "check-sources: $1:" <<<"$out"; then
    echo "FAIL: $1 violation in $2 was reported under another rule:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok: $1 in $2"
  fi
}

tree=$scratch/clean
clean_tree "$tree"
if out=$("$check" "$tree" 2>&1); then
  echo "ok: a clean tree passes"
else
  echo "FAIL: a clean tree was refused:"
  echo "$out"
  failures=$((failures + 1))
fi

expect layers game/sim/bad.cpp '#include <quillon/engine.h>\n'
expect layers game/sim/bad.cpp '#include <quillon/frame_wait.h>\n'
expect layers game/sim/bad.cpp '#include <chrono>\n'
expect layers game/sim/bad.cpp '#include "program/mod_Main.h"\n'
expect layers game/sim/bad.h '#include "headless/runner.h"\n'
expect layers game/headless/bad.cpp '#include "program/mod_Render.h"\n'
expect layers engine/src/bad.cpp '#include "sim/game_state.h"\n'
expect layers settings/bad.cpp '#include "program/frmMain.h"\n'
expect platform game/program/bad.cpp '#include <SDL.h>\n'
expect platform engine/src/bad.cpp '#include <AL/al.h>\n'
expect platform engine/src/bad.cpp '#include <squish.h>\n'
expect platform engine/include/quillon/bad.h '#include <curl/curl.h>\n'
expect platform game/sim/bad.cpp '#include <fontconfig/fontconfig.h>\n'
expect platform settings/bad.cpp 'extern "C" {\n#include <libavcodec/avcodec.h>\n}\n'
expect platform game/program/bad.cpp '#include <QString>\n'
expect format game/sim/bad.cpp 'int  Badly (int x){return x;}\n'
# Spelt in pieces so that this file does not break the rule it tests.
no=
word=sp${no}ec
section="Par${no}t 2.4"
expect words game/sim/bad.cpp "// as the ${word} says\nint Level();\n"
expect words game/sim/bad.cpp "// see ${section}\nint Level();\n"
expect words "tests/${word}_test.cpp" 'int Level();\n'

if [ "$failures" -ne 0 ]; then
  echo "$failures planted violations were not caught"
  exit 1
fi
echo "every planted violation was caught"
