#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail
# shellcheck source=missing_packages.sh
source "$(dirname "${BASH_SOURCE[0]}")/missing_packages.sh"

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-multimedia-dev libgl-dev libxcb-xkb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-qpa-plugins
  fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming fonts-wqy-zenhei fonts-lxgw-wenkai fonts-dejavu-core
  python3
  libicu-dev
  clang libclang-rt-14-dev clang-tidy
  dpkg-dev desktop-file-utils lintian appstream
)

missing_packages "${packages[@]}"

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
