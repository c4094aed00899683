#!/usr/bin/env bash
# Checks that the printable report is a valid PDF/A-1b with Apache PDFBox's Preflight
# validator (Debian's libpdfbox2-java): orvex-cli writes the report of the delivered
# configuration in the five languages, with a short and a 60-character serial number, and
# every document is validated. Run after a build:
#
#   scripts/check-pdfa.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh pdfa
program=$(realpath "${1:-build}")/program
jars=(preflight pdfbox2 fontbox2 xmpbox commons-logging javax.activation jaxb-api)
classpath=$(printf '/usr/share/java/%s.jar:' "${jars[@]}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for lang in es en fr de no; do
  for serial in SN-0042 "SN-2024-0815-$(printf '7%.0s' {1..47})"; do
    "$program/orvex-cli" report "$program/CONFIG/FACTORY.QVT" --serial "$serial" \
      --lang "$lang" -o "$work/$lang" --dir "$program" >/dev/null
    verdict=$(java -cp "$classpath" org.apache.pdfbox.preflight.Validator_A1b \
      "$work/$lang/$serial.pdf" 2>&1 || true)
    if grep -q "is a valid PDF/A-1b file" <<<"$verdict"; then
      echo "valid   $lang ${#serial} characters"
    else
      echo "INVALID $lang ${#serial} characters:"
      echo "$verdict"
      failed=1
    fi
  done
done
exit $failed
