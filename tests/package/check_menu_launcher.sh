#!/usr/bin/env bash
# Runs the desktop menu's launcher on scratch homes, with a stand-in for the
# program that records where and how it was started (no display needed).
# Usage: check_menu_launcher.sh <source folder> <scratch folder>
set -euo pipefail
source="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The package's layout, as the launcher finds it beside itself.
tree="$scratch/tree"
mkdir -p "$tree/lib/luckydraw" "$tree/share/luckydraw"
cp "$source/packaging/luckydraw-menu.sh" "$tree/lib/luckydraw/luckydraw-menu"
chmod +x "$tree/lib/luckydraw/luckydraw-menu"
cp -R "$source/resources/demo/抽奖名单" "$tree/share/luckydraw/"
demo="$tree/share/luckydraw/抽奖名单"
started="$scratch/started"
cat >"$tree/lib/luckydraw/luckydraw" <<EOF
#!/bin/sh
{ echo "folder: \$PWD"; echo "arguments: \$*"; ls -A 抽奖名单 2>/dev/null | sort; } >"$started"
EOF
chmod +x "$tree/lib/luckydraw/luckydraw"

# Runs the launcher with HOME=<home>; the stand-in's record lands in $started.
launch() {
  rm -f "$started"
  HOME="$1" "$tree/lib/luckydraw/luckydraw-menu" --one "two words" 2>"$scratch/stderr" ||
    fail "the launcher exited with $? (HOME=$1): $(cat "$scratch/stderr")"
}
expect_started() {
  local home="$1" case="$2"
  [ -f "$started" ] || { fail "$case: the program was not started"; return; }
  grep -qxF "folder: $home" "$started" || fail "$case: not started in the home: $(head -1 "$started")"
  grep -qxF "arguments: --one two words" "$started" || fail "$case: arguments not passed on"
}
# Everything about a tree that the launcher could change: names, kinds, modes,
# sizes, times and contents.
snapshot() {
  (cd "$1" && find . -printf '%p %y %m %s %T@ %l\n' | sort &&
    find . -type f -print0 | sort -z | xargs -0 -r sha256sum)
}

# No draw folder: the demo is copied in and is complete when the program starts.
home="$scratch/new-home"
mkdir -p "$home"
launch "$home"
expect_started "$home" "first start"
if [ -d "$home/抽奖名单" ]; then
  diff -r "$demo" "$home/抽奖名单" >/dev/null || fail "first start: the copy differs from the demo"
  expected_files=$(ls -A "$demo" | sort)
  [ "$(tail -n +3 "$started")" = "$expected_files" ] ||
    fail "first start: the program saw an incomplete folder: $(tail -n +3 "$started" | tr '\n' ' ')"
  [ -w "$home/抽奖名单/获奖记录.txt" ] || fail "first start: the winners record is not writable"
else
  fail "first start: no draw folder in the home"
fi
[ "$(ls -A "$home")" = "抽奖名单" ] || fail "first start: the home holds '$(ls -A "$home" | tr "\n" " ")', not just the folder"

# Something named 抽奖名单 already there: left as it is, byte for byte.
for kind in folder file link; do
  home="$scratch/home-with-$kind"
  mkdir -p "$home"
  case "$kind" in
    folder)
      mkdir "$home/抽奖名单"
      printf '\xd5\xc5\xc8\xfd\r\n' >"$home/抽奖名单/抽奖名单.txt" # the user's own roster
      printf '' >"$home/抽奖名单/获奖记录.txt"
      chmod 600 "$home/抽奖名单/获奖记录.txt"
      touch -d '2020-01-01 12:00' "$home/抽奖名单/抽奖名单.txt" "$home/抽奖名单"
      ;;
    file) printf 'not a folder' >"$home/抽奖名单" ;;
    link) ln -s "$scratch/nowhere" "$home/抽奖名单" ;;
  esac
  before=$(snapshot "$home")
  launch "$home"
  expect_started "$home" "existing $kind"
  [ "$(snapshot "$home")" = "$before" ] || fail "existing $kind: the home was changed"
done

# The demo cannot be copied: nothing half-made is left behind, the program
# still starts (its error box names the missing file) and the reason is given.
home="$scratch/home-no-demo"
mkdir -p "$home"
mv "$demo" "$scratch/demo-away"
launch "$home"
mv "$scratch/demo-away" "$demo"
expect_started "$home" "failed copy"
[ -z "$(ls -A "$home")" ] || fail "failed copy: left behind: $(ls -A "$home")"
grep -q "could not copy" "$scratch/stderr" || fail "failed copy: no message on stderr"

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "menu launcher checks passed"
