#!/usr/bin/env bash
# The code's habits, checked: every C++ file formatted as .clang-format says, and no
# clang-tidy finding (.clang-tidy) in the files of src/, sim/ and cli/ a change touches.
#
#   scripts/lint.sh          clang-tidy on the files changed since main (since the last
#                            commit's parent when run on main itself)
#   scripts/lint.sh BASE     clang-tidy on the files changed since the git revision BASE
#   scripts/lint.sh --all    clang-tidy on every file (about 4 minutes on two cores)
#
# A changed header brings in the .cpp of the same name. clang-tidy reads
# build/compile_commands.json and the sources Qt's moc made there: run it after a build
# (`cmake --build --preset default`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh lint

mapfile -t all < <(git ls-files '*.cpp' '*.h')
echo "clang-format: ${#all[@]} files"
clang-format --dry-run -Werror "${all[@]}"

if [ "${1:-}" = --all ]; then
  mapfile -t code < <(git ls-files 'src/*.cpp' 'sim/*.cpp' 'cli/*.cpp')
else
  base=${1:-}
  if [ -z "$base" ]; then
    if git rev-parse -q --verify main >/dev/null &&
       [ "$(git rev-parse HEAD)" != "$(git rev-parse main)" ]; then
      base=$(git merge-base HEAD main)
    else
      base=HEAD~1
    fi
  fi
  mapfile -t code < <(
    git diff --name-only --diff-filter=d "$base" -- 'src/*' 'sim/*' 'cli/*' |
      while read -r file; do
        case "$file" in
          *.cpp) echo "$file" ;;
          *.h) if [ -f "${file%.h}.cpp" ]; then echo "${file%.h}.cpp"; fi ;;
        esac
      done | sort -u)
fi
if [ ! -f build/compile_commands.json ]; then
  echo "lint.sh: no build/compile_commands.json; build first (cmake --build --preset default)" >&2
  exit 1
fi
# Sources of the Windows build alone (the Win32 serial port) are not in the Linux build's
# database: clang-tidy sees only what this build compiles.
mapfile -t code < <(for file in "${code[@]}"; do
  if grep -q "\"file\": \"$PWD/$file\"" build/compile_commands.json; then echo "$file"; fi
done)
echo "clang-tidy: ${#code[@]} files"
[ ${#code[@]} -eq 0 ] && exit 0
printf '%s\n' "${code[@]}" | xargs -P 2 -n 4 clang-tidy -p build --quiet
