#!/usr/bin/env bash
# House rules the compiler does not check: the game and the settings dialog
# never include a platform header (SDL, OpenAL, FFmpeg); only the engine's
# platform folder does.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='#\s*include\s*[<"](SDL|AL/|al\.h|alc\.h|libav|libsw)'
bad=$(grep -rnE "$pattern" game settings engine/include 2>/dev/null || true)
if [ -n "$bad" ]; then
  echo "check-sources: platform headers outside engine/src/platform:" >&2
  echo "$bad" >&2
  exit 1
fi
bad=$(grep -rnlE "$pattern" engine/src --include='*.cpp' --include='*.h' | grep -v '^engine/src/platform/' || true)
if [ -n "$bad" ]; then
  echo "check-sources: platform headers outside engine/src/platform:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "check-sources: ok"
