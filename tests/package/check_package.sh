#!/usr/bin/env bash
# Builds the Debian package with CPack from the build folder and checks what it
# holds: every path, the link, the sounds beside the program, the icon sizes, the
# desktop entry's fields, the dependencies, the manual pages, copyright and
# changelog; lintian and appstreamcli judge it where they are installed.
# Usage: check_package.sh <build folder> <source folder>
set -euo pipefail
build="$1"
source="$2"
out="$build/package-test"
rm -rf "$out"
mkdir -p "$out"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  echo "FAIL: cpack did not make the package"
  exit 1
fi
debs=("$out"/luckydraw_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no luckydraw_*.deb in $out"; exit 1; }
deb="${debs[0]}"
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" >"$out/contents.txt"
dpkg-deb -I "$deb" >"$out/info.txt"
dpkg-deb -x "$deb" "$out/tree"
tree="$out/tree"

# Paths and kinds: f file, x executable, l link.
expect() {
  local kind="$1" path="$2"
  grep -qF " ./$path" "$out/contents.txt" || { fail "not listed: /$path"; return; }
  case "$kind" in
    f) [ -f "$tree/$path" ] && [ ! -L "$tree/$path" ] || fail "not a file: /$path" ;;
    x) [ -f "$tree/$path" ] && [ -x "$tree/$path" ] || fail "not an executable: /$path" ;;
    l) [ -L "$tree/$path" ] || fail "not a link: /$path" ;;
  esac
}
expect x usr/lib/luckydraw/luckydraw
expect f usr/lib/luckydraw/drum.wav
expect f usr/lib/luckydraw/gong.wav
expect x usr/lib/luckydraw/luckydraw-menu
expect l usr/bin/luckydraw
expect x usr/bin/luckydraw-log-check
expect f usr/share/man/man1/luckydraw-log-check.1.gz
expect f usr/share/applications/luckydraw.desktop
for file in 抽奖名单.txt 基础配置.ini 奖项设置.ini 获奖记录.txt 背景.bmp 抽奖日志.txt; do
  expect f "usr/share/luckydraw/抽奖名单/$file"
  cmp -s "$source/resources/demo/抽奖名单/$file" "$tree/usr/share/luckydraw/抽奖名单/$file" ||
    fail "demo file differs from resources/demo: $file"
done
for sound in drum.wav gong.wav; do
  cmp -s "$source/resources/$sound" "$tree/usr/lib/luckydraw/$sound" || fail "$sound differs"
done

expect f usr/share/doc/luckydraw/copyright
expect f usr/share/doc/luckydraw/changelog.gz
expect f usr/share/metainfo/org.example.luckydraw.metainfo.xml

# A manual page for every packaging/*.1 (programs other than this one bring
# their own), as the source holds it; and a page for every program on the path.
for page in "$source"/packaging/*.1; do
  name=$(basename "$page")
  expect f "usr/share/man/man1/$name.gz"
  [ -f "$tree/usr/share/man/man1/$name.gz" ] || continue
  gzip -dc "$tree/usr/share/man/man1/$name.gz" | cmp -s - "$page" || fail "man page $name differs from the source"
done
for program in "$tree"/usr/bin/*; do
  [ -f "$tree/usr/share/man/man1/$(basename "$program").1.gz" ] || fail "no man page for /usr/bin/$(basename "$program")"
done

# The copyright file carries the project's licence text, line for line.
license_text=$(sed -n '/^Permission/,$p' "$source/LICENSE")
copyright_text=$(sed -n '/^ Permission/,$p' "$tree/usr/share/doc/luckydraw/copyright" | sed 's/^ \.$//; s/^ //')
[ -n "$license_text" ] && [ "$license_text" = "$copyright_text" ] ||
  fail "the copyright file's licence text differs from LICENSE"

# The changelog's newest entry is this version.
version=$(grep '^ Version:' "$out/info.txt" | awk '{print $2}')
newest=$(gzip -dc "$tree/usr/share/doc/luckydraw/changelog.gz" | head -1)
[ "$newest" = "luckydraw ($version) unstable; urgency=medium" ] ||
  fail "the changelog's newest entry is '$newest', the package is $version"

# The link resolves to the program inside the package, so the program's own
# folder (where it looks for the sounds) is /usr/lib/luckydraw.
[ "$(readlink "$tree/usr/bin/luckydraw")" = "../lib/luckydraw/luckydraw" ] ||
  fail "/usr/bin/luckydraw points to $(readlink "$tree/usr/bin/luckydraw")"
[ "$(readlink -f "$tree/usr/bin/luckydraw")" = "$(readlink -f "$tree/usr/lib/luckydraw/luckydraw")" ] ||
  fail "/usr/bin/luckydraw does not reach the program"

# The icon at each size the icon resource holds: 32-bit images with alpha.
for size in 16 24 32 48 128; do
  png="usr/share/icons/hicolor/${size}x${size}/apps/luckydraw.png"
  expect f "$png"
  [ -f "$tree/$png" ] || continue
  # PNG header: width and height (big-endian) at bytes 16 and 20, colour type at 25.
  read -r w h <<<"$(od -An -tu1 -j16 -N8 "$tree/$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')"
  colour=$(od -An -tu1 -j25 -N1 "$tree/$png" | tr -d ' ')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "$png is ${w}x${h}"
  [ "$colour" = "6" ] || fail "$png is not RGBA (colour type $colour)"
done
extra=$(grep -o 'hicolor/[0-9]*x[0-9]*/apps/luckydraw.png' "$out/contents.txt" | sort -u | wc -l)
[ "$extra" = "5" ] || fail "expected 5 icon sizes, found $extra"

# The desktop entry.
desktop="$tree/usr/share/applications/luckydraw.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the entry"
else
  echo "note: desktop-file-validate is not installed (package desktop-file-utils)"
fi
field() { grep -m1 "^$1=" "$desktop" | cut -d= -f2-; }
[ "$(field Type)" = "Application" ] || fail "Type is '$(field Type)'"
[ "$(field Name)" = "澄岚晚会抽奖系统" ] || fail "Name is '$(field Name)'"
[ -n "$(field Comment)" ] || fail "no Comment"
[ "$(field Icon)" = "luckydraw" ] || fail "Icon is '$(field Icon)'"
[ "$(field Categories)" = "Office;Presentation;" ] || fail "Categories is '$(field Categories)'"
exec_path="$(field Exec)"
[ -x "$tree$exec_path" ] || fail "Exec '$exec_path' is not in the package"
grep -q 'cd "$HOME"' "$tree$exec_path" || fail "the menu launcher does not start in the home"

# Dependencies: the libraries (dpkg-shlibdeps) and the fonts.
depends=$(grep '^ Depends:' "$out/info.txt" || true)
for package in libqt6widgets6 libqt6multimedia6 libc6 fonts-noto-cjk fonts-arphic-ukai fonts-lxgw-wenkai fonts-dejavu-core; do
  grep -q "$package" <<<"$depends" || fail "Depends lacks $package: $depends"
done
recommends=$(grep '^ Recommends:' "$out/info.txt" || true)
grep -qw 'qt6-wayland' <<<"$recommends" || fail "Recommends lacks qt6-wayland: $recommends"
grep -q '^ Package: luckydraw$' "$out/info.txt" || fail "package name"

# Debian's own judges: no lintian error or warning, and AppStream metadata that
# software centres accept without remark. Informational and pedantic lintian tags are shown but
# do not fail.
if command -v lintian >/dev/null; then
  if ! lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$out/lintian.txt" 2>&1; then
    cat "$out/lintian.txt"
    fail "lintian reports errors or warnings"
  fi
else
  echo "note: lintian is not installed (package lintian)"
fi
if command -v appstreamcli >/dev/null; then
  for metainfo in "$tree"/usr/share/metainfo/*.metainfo.xml; do
    # Infos count too: a missing content rating is only an info.
    if ! appstreamcli validate --no-net "$metainfo" >"$out/appstream.txt" 2>&1 ||
      grep -q '^[EWIP]:' "$out/appstream.txt"; then
      cat "$out/appstream.txt"
      fail "appstreamcli finds fault with $(basename "$metainfo")"
    fi
  done
else
  echo "note: appstreamcli is not installed (package appstream)"
fi
# What a software centre starts: the metadata's desktop entry is the package's.
for metainfo in "$tree"/usr/share/metainfo/*.metainfo.xml; do
  launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
  [ -n "$launchable" ] && [ -f "$tree/usr/share/applications/$launchable" ] ||
    fail "$(basename "$metainfo") launches '$launchable', not in the package"
done

if ((failures)); then
  echo "$failures check(s) failed; contents:"
  cat "$out/contents.txt"
  exit 1
fi
echo "package checks passed"
