#!/usr/bin/env bash
# Builds the Debian package of the programs (a release build of its own, without the tests)
# and prints the path of the .deb on the last line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
build=build-package
# Debian's own compiler and linker flags, with all its hardening.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Only what is installed: the benchmarks are not.
cmake --build "$build" -j 2 --target orvex orvex-cli orvex-sim orvex_dist_docs
(cd "$build" && cpack -G DEB >/dev/null)
ls -t "$PWD/$build"/orvex_*.deb | head -n1
