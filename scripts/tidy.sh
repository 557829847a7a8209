#!/usr/bin/env bash
# Runs clang-tidy with the house .clang-tidy, $(nproc) files at a time, over
# the C++ files the Linux build compiles (build/compile_commands.json, configured
# first when missing): by default the shipped code (draw, numbers, platform,
# controls, window, log_check); --all adds the tests, tools, benchmarks and
# generators, which take as long again and ship nothing. Only moc's generated
# files are built first: the files that include them need them to parse.
# Reports each finding once (a header's finding shows in every file that
# includes it); applies no fixes. --check: also fail, naming each finding.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cd "$root"

check=0
pathspecs=(draw/ numbers/ platform/ controls/ window/ log_check/)
for argument in "$@"; do
  case "$argument" in
    --check) check=1 ;;
    --all) pathspecs=(.) ;;
    *)
      echo "usage: $0 [--check] [--all]" >&2
      exit 2
      ;;
  esac
done

if [ ! -f "$build/compile_commands.json" ] || [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" >/dev/null
fi
mapfile -t generated < <(ninja -C "$build" -t targets all |
  sed -n 's/^\([A-Za-z0-9_]*_autogen\): phony$/\1/p')
if ((${#generated[@]})); then
  cmake --build "$build" -j "$(nproc)" --target "${generated[@]}" >/dev/null
fi

# The files git knows that the build compiles (not moc's, not generated tables).
mapfile -t files < <(git ls-files -- "${pathspecs[@]}" | grep '\.cpp$' |
  python3 -c '
import json, sys
root, database = sys.argv[1], sys.argv[2]
compiled = {entry["file"] for entry in json.load(open(database))}
for name in sys.stdin.read().split("\n"):
    if name and f"{root}/{name}" in compiled:
        print(f"{root}/{name}")
' "$root" "$build/compile_commands.json")

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
# One output file per source, so that parallel runs do not interleave.
# A run that fails (a file that does not parse, a crash) leaves a .failed mark.
printf '%s\n' "${files[@]}" | xargs -d '\n' -P "$(nproc)" -I{} sh -c \
  'log="$3/$(echo "$2" | tr / _).log"; clang-tidy -p "$1" --quiet "$2" >"$log" 2>&1 || mv "$log" "$log.failed"' \
  sh "$build" {} "$out"
failed=("$out"/*.failed)
if [ -e "${failed[0]}" ]; then
  for log in "${failed[@]}"; do tail -n 30 "$log"; done
  echo "tidy: clang-tidy failed on ${#failed[@]} file(s), shown above" >&2
  exit 1
fi

# A finding is "path:line:col: warning|error: text [check]" and the notes up to
# the next one; the same finding from several files is shown once.
findings="$out/findings"
cat "$out"/*.log | python3 -c '
import re, sys
seen, block = set(), None
for line in sys.stdin:
    if re.match(r"^/\S+:\d+:\d+: (warning|error): ", line):
        block = None if line in seen else [line]
        seen.add(line)
        if block is not None:
            sys.stdout.write(line)
    elif block is not None and not re.match(r"^\d+ (warnings?|errors?)( and \d+ errors?)? generated", line):
        sys.stdout.write(line)
' >"$findings"
cat "$findings"
count="$(grep -cE '^/\S+:[0-9]+:[0-9]+: (warning|error): ' "$findings" || true)"
echo "tidy: ${#files[@]} files, $count findings"
if ((check)) && [ "$count" -gt 0 ]; then
  echo "tidy: fix these (or, where a check is wrong, say why in a NOLINT or in .clang-tidy):" >&2
  grep -E '^/\S+:[0-9]+:[0-9]+: (warning|error): ' "$findings" | sed "s|^$root/||" >&2
  exit 1
fi
