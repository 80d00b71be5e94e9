#!/usr/bin/env bash
# Builds the game and its Debian package:
#   scripts/package.sh [BUILD_DIR]   ->   BUILD_DIR/pebblerun_<version>_amd64.deb
# Install it with `sudo apt install ./BUILD_DIR/pebblerun_*.deb`, remove it
# with `sudo apt remove pebblerun`.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/install-deps.sh
scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$dir" && cpack)
ls "$dir"/pebblerun_*.deb
