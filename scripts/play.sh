#!/usr/bin/env bash
# Installs what is needed, builds, and starts the game from its application folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPEBBLERUN_TESTS=OFF -DPEBBLERUN_BENCH=OFF
if [ -x build/app/Pebblerun ]; then
  exec build/app/Pebblerun "$@"
fi
echo "The game program is not built yet; build/app/ holds what exists so far:" >&2
ls build/app >&2
