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
  # No screen to open the window on: show what it would look like instead.
  "$build/tools/screenshot" --workdir "$work" --resume no --out "$work/window.png" >/dev/null
  echo "run: no display found, so the window was drawn headless into $work/window.png"
  echo "     To use the program, run this command on a desktop, or under a virtual display:"
  echo "       apt-get install xvfb && xvfb-run -s '-screen 0 1280x1024x24' bash scripts/run.sh"
  echo "     To run it headless with no screen at all: QT_QPA_PLATFORM=offscreen bash scripts/run.sh"
  exit 0
fi
cd "$work"
exec "$build/window/luckydraw"
