#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need, when missing.
# `scripts/deps.sh fuzz` adds clang and its libFuzzer and sanitizer runtimes (fuzz/);
# `scripts/deps.sh lint` adds clang-format and clang-tidy (scripts/lint.sh).
set -euo pipefail
# What the tests run besides: python3 (the factory report read back by Python's csv module,
# tools/mutants.py, scripts/make_textos.py), pdftotext (poppler-utils). A test whose tool is
# missing fails; it never skips.
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
if [ "${1:-}" = package ]; then
  needed+=(dpkg-dev file lintian desktop-file-utils appstream xdotool x11-utils)
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
