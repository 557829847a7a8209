#!/usr/bin/env bash
# CPU of the real program while a 100,000 x 999 draw rolls for 10 s on an X server.
#   DISPLAY=:N tools/measure_on_x.sh [design|fullscreen] [path/to/luckydraw]
# Needs a window manager on that display (e.g. Xvfb -screen 0 1920x1080x24 and
# openbox), xdotool and python3. Reads the process's CPU time from /proc.
set -euo pipefail
mode=${1:-design}
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin=${2:-$root/build/window/luckydraw}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/resources/demo/抽奖名单" "$work/"
python3 - "$work/抽奖名单/抽奖名单.txt" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    for i in range(100000):
        f.write(("员工%d\r\n" % i).encode("gbk"))
PY
cd "$work"
"$bin" >"$work/program.log" 2>&1 &
pid=$!
sleep 4
xdotool key n # the resume question: No
sleep 1
win=$(xdotool search --pid $pid --onlyvisible --name "V3.4" | head -1)
xdotool windowactivate --sync "$win" 2>/dev/null || true
sleep 0.5
xdotool mousemove --window "$win" 740 23 click 1 # the group size field
sleep 0.3
xdotool key End BackSpace BackSpace BackSpace BackSpace
xdotool type 999
sleep 0.3
if [ "$mode" = fullscreen ]; then
  xdotool key F11
  sleep 1.5
fi
xdotool key space
sleep 0.5
xdotool getwindowgeometry "$win"
tck=$(getconf CLK_TCK)
read -r -a s0 </proc/$pid/stat
t0=$(date +%s.%N)
sleep 10
read -r -a s1 </proc/$pid/stat
t1=$(date +%s.%N)
cpu=$(((${s1[13]} + ${s1[14]}) - (${s0[13]} + ${s0[14]})))
python3 -c "print('CPU while rolling: %.1f %% of one core over %.2f s' % (100.0*$cpu/$tck/($t1-$t0), $t1-$t0))"
kill $pid
