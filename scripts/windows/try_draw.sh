#!/usr/bin/env bash
# One draw with the Windows package under Wine, as a user makes it: unzips
# ZIP into a fresh folder, starts luckydraw.exe from its own folder (as
# Explorer does), takes screenshots into SHOTS, answers the resume question
# with No, starts with Space, stops with Space once the arming is over and
# checks the winners record. ROSTER is gbk (the demo as it is) or utf8 (the
# roster saved as UTF-8 first). Needs DISPLAY with a window manager and
# WINEPREFIX; used by test.sh.
set -euo pipefail
zip="$1" shots="$2" roster_encoding="$3"

work="$(mktemp -d)"
program_pid=
finish() {
  # Subshells run this trap too: only the script itself cleans up.
  [ "$BASHPID" = "$$" ] || return 0
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
(cd "$work" && unzip -q "$zip")
folder="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
draw="$folder/抽奖名单"
gbk_roster="$work/roster.gbk"
cp "$draw/抽奖名单.txt" "$gbk_roster"
if [ "$roster_encoding" = utf8 ]; then
  iconv -f GBK -t UTF-8 "$gbk_roster" >"$draw/抽奖名单.txt"
  if cmp -s "$gbk_roster" "$draw/抽奖名单.txt"; then
    echo "try: the roster did not change when saved as UTF-8" >&2
    exit 1
  fi
fi
mkdir -p "$shots"
rm -f "$shots"/*.png

echo "try ($roster_encoding roster): starting luckydraw.exe under Wine"
(cd "$folder" && exec wine luckydraw.exe >"$work/program.log" 2>&1) &
program_pid=$!

# Waits up to $1 seconds for a window named $2; prints its id.
wait_for_window() {
  local seconds="$1" name="$2" id
  for _ in $(seq $((seconds * 5))); do
    id="$(xdotool search --name "$name" 2>/dev/null | head -n 1 || true)"
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  echo "try: no window \"$name\" after $seconds s" >&2
  return 1
}

question="$(wait_for_window 120 '^提示$')"
main="$(wait_for_window 10 '^澄岚晚会抽奖软件 V3.4$')"
sleep 1 # let the first paint land before the picture is taken
import -window root "$shots/1-resume-question.png"
xdotool windowactivate --sync "$question" key n
for _ in $(seq 50); do
  xdotool search --name '^提示$' >/dev/null 2>&1 || break
  sleep 0.2
done
record="$draw/获奖记录.txt"
# "No" resets the record: the first tier's winners line is empty.
if [ "$(LC_ALL=C sed -n 2p "$record" | tr -d '\r')" != "" ]; then
  echo "try: the record was not reset by No" >&2
  exit 1
fi

xdotool windowactivate --sync "$main"
xdotool key space
sleep 1
import -window root "$shots/2-rolling.png"
# Stop once the 2-second arming is over: a Space during it does nothing, so
# Space is pressed again every half second until the record shows winners.
winners=
for _ in $(seq 60); do
  sleep 0.5
  xdotool key space
  sleep 0.3
  winners="$(LC_ALL=C sed -n 2p "$record" | tr -d '\r')"
  [ -n "$winners" ] && break
done
import -window root "$shots/3-stopped.png"
[ -n "$winners" ] || { echo "try: no winners in the record after Stop" >&2; exit 1; }

# The record is GBK: "[特等奖]" and five roster names joined by "，".
header="$(LC_ALL=C sed -n 1p "$record" | tr -d '\r')"
if [ "$header" != "$(printf '[\xCC\xD8\xB5\xC8\xBD\xB1]')" ]; then
  echo "try: the record's first line is not [特等奖] in GBK" >&2
  exit 1
fi
iconv -f GBK -t UTF-8 "$record" >/dev/null || { echo "try: the record is not GBK" >&2; exit 1; }
# Split after decoding: a GBK name's trail byte may equal the comma's first byte.
roster_utf8="$(iconv -f GBK -t UTF-8 "$gbk_roster" | tr -d '\r')"
count=0
while IFS= read -r name; do
  count=$((count + 1))
  if ! printf '%s\n' "$roster_utf8" | grep -qxF -- "$name"; then
    echo "try: winner \"$name\" is not in the roster" >&2
    exit 1
  fi
done < <(printf '%s\n' "$winners" | iconv -f GBK -t UTF-8 | sed 's/，/\n/g')
if [ "$count" != 5 ]; then
  echo "try: $count winners, not 5: $(printf "%s" "$winners" | iconv -f GBK -t UTF-8)" >&2
  exit 1
fi
echo "try ($roster_encoding roster): drew $(printf '%s' "$winners" | iconv -f GBK -t UTF-8)"

# The demo ships the draw log: the run start and the draw are chained in it, and
# the checker shipped beside the program says so.
check="$(cd "$folder" && wine luckydraw-log-check.exe "抽奖名单/抽奖日志.txt" 2>&1 | tr -d '\r' || true)"
case "$check" in
  "OK, 2 entries, last hash "*) echo "try ($roster_encoding roster): log check: $check" ;;
  *)
    echo "try: the log check said \"$check\", not OK with 2 entries" >&2
    exit 1
    ;;
esac
