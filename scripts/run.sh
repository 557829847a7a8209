#!/usr/bin/env bash
# Sets up, builds and starts the program on a scratch copy of the bundled demo
# draw folder, so a run never changes the repository.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build="${BUILD_DIR:-$root/build}"

work="${LUCKYDRAW_WORKDIR:-$(mktemp -d "${TMPDIR:-/tmp}/luckydraw.XXXXXX")}"
cp -r "$root/resources/demo/抽奖名单" "$work/"
echo "run: working folder $work"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run: no display found. Start it under a display, or headless with" >&2
  echo "       QT_QPA_PLATFORM=offscreen bash scripts/run.sh" >&2
  echo "     or take a picture of the window with" >&2
  echo "       $build/tools/screenshot --workdir $work --resume no --out window.png" >&2
  exit 1
fi
cd "$work"
exec "$build/window/luckydraw"
