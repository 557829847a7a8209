#!/usr/bin/env bash
# Builds Qt for Windows (Core, Gui, Widgets, Test and the Windows platform and
# style plugins) from Debian's own Qt source, once, into a cache folder outside
# the repository keyed by the Qt version. Prints the install prefix last.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
qt_version="${QT_VERSION:-6.4.2}"
cache="${LUCKYDRAW_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/luckydraw-windows}/qt-$qt_version"
prefix="$cache/install"
jobs="${JOBS:-$(nproc)}"

if [ -f "$prefix/.complete" ]; then
  echo "qt: reusing Qt $qt_version for Windows in $prefix" >&2
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
src="$cache/source"
if [ ! -f "$src/.unpacked" ]; then
  echo "qt: fetching Debian's qt6-base source ($qt_version)" >&2
  rm -rf "$src"
  mkdir -p "$src"
  # The same Debian version as the host Qt whose moc, rcc and uic the build uses.
  debian_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
  case "$debian_version" in
  "$qt_version"+* | "$qt_version"-*) ;;
  *)
    echo "qt: host Qt is $debian_version, not $qt_version" >&2
    exit 1
    ;;
  esac
  (cd "$src" && apt-get source --only-source -qq "qt6-base=$debian_version" >&2)
  touch "$src/.unpacked"
fi
qtbase="$(find "$src" -mindepth 1 -maxdepth 1 -type d -name "qt6-base-*" | head -n 1)"
[ -n "$qtbase" ] || { echo "qt: no qt6-base source folder in $src" >&2; exit 1; }

# With Direct2D off, Qt's Gui leaves out the DirectWrite 3 font database that the
# Windows platform plugin still constructs (qwindowsintegration.cpp): guard that
# use by both features, as Gui's build does. The plugin then uses the GDI font
# database, Qt's default on Windows anyway.
integration="$qtbase/src/plugins/platforms/windows/qwindowsintegration.cpp"
if ! grep -q 'QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)' "$integration"; then
  sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' "$integration"
fi

build="$cache/build"
# OpenGL, SQL, printing, D-Bus, network and tablet input are not used by the
# program (Debian's source also lacks the tablet header wintab.h); dynamicgl
# is OpenGL's run-time loader, which the Windows plugin would still compile.
# Fonts go through the system's own engines (no FreeType); pictures are
# bitmaps and PNG (no JPEG, GIF).
# Third-party libraries come from Qt's own bundled copies.
echo "qt: configuring (log: $cache/configure.log)" >&2
cmake -S "$qtbase" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_network=OFF -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF \
  -DFEATURE_icu=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
  -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_textmarkdownreader=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
  >"$cache/configure.log" 2>&1 || { tail -n 40 "$cache/configure.log" >&2; exit 1; }

echo "qt: building with $jobs jobs (log: $cache/build.log)" >&2
cmake --build "$build" -j "$jobs" >"$cache/build.log" 2>&1 || { tail -n 40 "$cache/build.log" >&2; exit 1; }
cmake --install "$build" >"$cache/install.log" 2>&1 || { tail -n 40 "$cache/install.log" >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
