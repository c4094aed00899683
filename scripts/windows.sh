#!/usr/bin/env bash
# The Windows build, made on Debian 12 with Debian's mingw-w64:
#   scripts/windows.sh          builds Qt 6.4.2 for Windows once (cached in
#                               ~/.cache/orvex-windows, tens of minutes on 2 cores), then the
#                               programs and the plain-code tests, and leaves
#                               build-windows/orvex-5.0-setup.exe and orvex-5.0-windows.zip
#   scripts/windows.sh check    proves them under Wine (scripts/windows-check.sh)
# ORVEX_WINDOWS_CACHE moves the cache.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = check ]; then exec scripts/windows-check.sh; fi

cache=${ORVEX_WINDOWS_CACHE:-$HOME/.cache/orvex-windows}
qt=$cache/qt-6.4.2
build=build-windows
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
step() { printf '== %s (%ss)\n' "$1" "$SECONDS"; }

step "packages"
scripts/deps.sh windows

# Qt's modules the programs and tests use, from Debian's own source of the Qt the Linux build
# uses; its host tools (moc, rcc, uic) are the installed qt6-base-dev's.
build_qt() {
  local src=$cache/src build_dir=$cache/build-qt
  if ! ls -d "$src"/qt6-base-6.4.2* >/dev/null 2>&1; then
    scripts/deps.sh source
    mkdir -p "$src"
    (cd "$src" && apt-get source -qq qt6-base)
  fi
  local tree
  tree=$(ls -d "$src"/qt6-base-6.4.2*/ | head -n1)
  # Debian's source leaves out src/3rdparty/wintab, which tablet input needs.
  cmake -G Ninja -S "$tree" -B "$build_dir" -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$qt" -DCMAKE_BUILD_TYPE=Release \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_sql=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_network=OFF \
    -DFEATURE_direct2d=OFF \
    >"$cache/qt-configure.log"
  cmake --build "$build_dir" --parallel "$(nproc)"
  cmake --install "$build_dir" >/dev/null
}
if [ ! -f "$qt/lib/cmake/Qt6/Qt6Config.cmake" ]; then
  step "Qt 6.4.2 for Windows (first time only)"
  build_qt
fi

step "programs and tests"
cmake -G Ninja -S . -B "$build" -Wno-dev -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_FIND_ROOT_PATH="$qt" -DCMAKE_PREFIX_PATH="$qt" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" --parallel "$(nproc)"

step "bundle"
version=$(sed -n 's/^project(orvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage=$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$PWD/$stage" >/dev/null
x86_64-w64-mingw32-strip "$stage"/bin/*.exe "$stage"/bin/*.dll "$stage"/bin/*/*.dll

step "installer"
# The uninstaller deletes what was installed, file by file, then the folders left empty.
list=$build/uninstall-files.nsh
(cd "$stage" &&
 find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|' &&
 find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|') >"$list"
makensis -V2 -DVERSION="$version" -DSTAGE="$PWD/$stage" -DFILES="$PWD/$list" \
  -DICON="$PWD/$build/icon/orvex.ico" -DOUTFILE="$PWD/$build/orvex-$version-setup.exe" \
  dist/windows/orvex.nsi

step "zip"
zip=$PWD/$build/orvex-$version-windows.zip
rm -f "$zip"
rm -rf "$build/zip" && mkdir -p "$build/zip" && cp -r "$stage" "$build/zip/orvex-$version"
(cd "$build/zip" && zip -qr -X "$zip" "orvex-$version")

ls -l "$build/orvex-$version-setup.exe" "$zip"
step "done"
