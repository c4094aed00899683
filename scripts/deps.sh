#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when missing.
# `scripts/deps.sh fuzz` adds clang and its libFuzzer and sanitizer runtimes (fuzz/);
# `scripts/deps.sh lint` adds clang-format and clang-tidy (scripts/lint.sh).
set -euo pipefail
# What the tests and tools run besides: python3 (tools/mutants.py, scripts/make_textos.py),
# pdftotext and pdfinfo (poppler-utils). A test whose tool is missing fails; it never skips.
needed=(cmake ninja-build g++ qt6-base-dev qt6-serialport-dev libgl-dev fonts-dejavu-core
        xvfb xauth qt6-translations-l10n poppler-utils python3)
if [ "${1:-}" = fuzz ]; then needed+=(clang libclang-rt-14-dev); fi
if [ "${1:-}" = lint ]; then needed+=(clang-format clang-tidy); fi
# `deps.sh pdfa`: the PDF/A validator scripts/check-pdfa.sh runs (Java, Apache PDFBox).
if [ "${1:-}" = pdfa ]; then
  needed+=(default-jre-headless libpdfbox2-java libactivation-java libjaxb-api-java)
fi
missing=()
# `deps.sh package`: what scripts/package.sh and scripts/check-package.sh need besides.
if [ "${1:-}" = package ]; then needed+=(dpkg-dev file lintian desktop-file-utils appstream xdotool x11-utils); fi
# `deps.sh windows`: the cross compiler, the installer maker, the icon tools and Wine
# (scripts/windows.sh); `deps.sh source` makes Debian's source packages reachable.
if [ "${1:-}" = windows ]; then
  needed+=(g++-mingw-w64-x86-64-posix nsis librsvg2-bin icoutils zip wine wine64 xdotool imagemagick time)
fi
if [ "${1:-}" = source ]; then
  needed+=(dpkg-dev)
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
     ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
      $sudo tee /etc/apt/sources.list.d/orvex-bookworm-src.sources >/dev/null
    $sudo apt-get update -qq
  fi
fi
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
