#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its trial under Wine
# need, and the source line Qt's source comes from. Idempotent: apt-get runs
# only when something is missing.
set -euo pipefail
# shellcheck source=../missing_packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/../missing_packages.sh"

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build dpkg-dev
  qt6-base-dev qt6-base-dev-tools libicu-dev googletest zip unzip
  wine wine64 xvfb x11-utils openbox xdotool imagemagick
)

updated=0
update_once() {
  if [ "$updated" = 0 ]; then
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
    updated=1
  fi
}

# Debian's Qt source (apt-get source) needs a deb-src line for the installed suite.
if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "setup: adding Debian's source archive for apt-get source"
  "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/luckydraw-deb-src.sources >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  update_once
fi

missing_packages "${packages[@]}"
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  update_once
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}"
fi
