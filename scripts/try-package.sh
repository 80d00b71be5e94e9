#!/usr/bin/env bash
# Installs and removes the Debian package in a throwaway copy of this
# machine's own root, to see that apt takes it and takes it away again,
# without touching the real system:
#   sudo scripts/try-package.sh build/pebblerun_1.0.0_amd64.deb
# A private mount namespace puts a writable layer in memory over "/" and
# chroots into it; everything apt and dpkg write goes to that layer and is
# gone when the script ends. apt may only use packages this machine already
# has: the package's dependencies must be installed here already.
set -euo pipefail
deb=$(realpath "$1")
[[ $(id -u) -eq 0 ]] || { echo "try-package.sh: needs root (mount namespaces)" >&2; exit 2; }
scratch=$(mktemp -d /tmp/pebblerun-try-XXXXXX)
trap 'rmdir "$scratch" 2>/dev/null || true' EXIT

# shellcheck disable=SC2016  # expanded inside the namespace
unshare --mount --propagation private bash -euo pipefail -c '
  scratch=$1 deb=$2
  mount -t tmpfs tmpfs "$scratch"
  mkdir -p "$scratch"/upper "$scratch"/work "$scratch"/root
  mount -t overlay overlay -o lowerdir=/,upperdir="$scratch"/upper,workdir="$scratch"/work "$scratch"/root
  mount -t proc proc "$scratch"/root/proc
  mount --bind /dev "$scratch"/root/dev
  mount -t devpts -o newinstance devpts "$scratch"/root/dev/pts
  cp "$deb" "$scratch"/root/tmp/package.deb
  chroot "$scratch"/root /bin/bash -euo pipefail -c "
    export DEBIAN_FRONTEND=noninteractive
    echo \"== apt install\"
    apt-get install -y /tmp/package.deb
    dpkg -s pebblerun | grep -E \"^(Status|Version|Installed-Size):\"
    echo \"== installed files\"
    dpkg -L pebblerun | grep -c /
    /usr/games/pebblerun --version
    HOME=/tmp/player XDG_DATA_HOME=/tmp/player/data XDG_STATE_HOME=/tmp/player/state \
      SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null \
      /usr/games/pebblerun --headless --frames 200 --replay replay1.ini
    tail -n 1 /tmp/player/state/Pebblerun/log.txt
    QT_QPA_PLATFORM=offscreen /usr/games/pebblerun-settings --help | head -n 1
    echo \"== apt remove\"
    apt-get remove -y pebblerun
    dpkg -s pebblerun 2>&1 | grep -E \"^Status:|not installed\" || true
    echo \"== left behind\"
    ls -d /usr/share/games/pebblerun /usr/lib/games/pebblerun /usr/games/pebblerun \
      /usr/share/applications/io.github.pebblerun.pebblerun.desktop 2>&1 || true
  "
' try-package "$scratch" "$deb"
