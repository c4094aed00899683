#!/usr/bin/env bash
# Builds the Debian package of the programs (a build of its own, without the tests) and prints
# the path of the .deb on the last line. As Debian builds a package: with Debian's compiler
# and linker flags alone (build type None: nothing of CMake's own appended), with all its
# hardening, and reproducibly: every time stamp is the date of the changelog's latest entry
# (SOURCE_DATE_EPOCH), so two builds of the same source give the same package.
#
#   scripts/package.sh [BUILD_DIR]     (default build-package)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
build=${1:-build-package}
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l dist/debian/changelog -STimestamp)
export SOURCE_DATE_EPOCH
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Only what is installed: the benchmarks are not.
cmake --build "$build" -j 2 --target orvex orvex-cli orvex-sim orvex_dist_docs
(cd "$build" && cpack -G DEB >/dev/null)
ls -t "$PWD/$build"/orvex_*.deb | head -n1
