#!/usr/bin/env bash
# orvex-cli against several orvex-sim at 9600 baud: one controller against the protocol's
# floor, and eight at once against one. Prints wall time, CPU time and CPU as a share of one
# core for each run.
#   bench/bench_cli.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
rounds=${2:-1}
dir=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$dir"' EXIT
cp -r "$build/program/." "$dir/"
rm -f "$dir"/COM*
for n in 1 2 3 4 5 6 7 8; do
  "$build/program/orvex-sim" --program-dir "$dir" --port "$n" --quiet &
done
for n in 1 2 3 4 5 6 7 8; do
  for _ in $(seq 100); do [ -L "$dir/COM$n" ] && break; sleep 0.05; done
done
cd "$dir"
# Read: 8.15 s of pauses + 154 bytes at 9600 baud; write: 25 s of pauses and a full read
# (33.15 s) + 673 bytes.
run() {  # NAME FLOOR_S ARGS...
  local name=$1 floor=$2; shift 2
  /usr/bin/time -f "%e %U %S" -o time.txt "$build/program/orvex-cli" "$@" >/dev/null 2>&1 || true
  read -r wall user sys < time.txt
  awk -v n="$name" -v w="$wall" -v u="$user" -v s="$sys" -v f="$floor" 'BEGIN {
    printf "%-22s wall %7.3f s  floor %7.3f s  %+6.2f %%  CPU %.3f s (%.2f %% of a core)\n",
           n, w, f, (w - f) / f * 100, u + s, (u + s) / w * 100 }'
}
all=COM1,COM2,COM3,COM4,COM5,COM6,COM7,COM8
for _ in $(seq "$rounds"); do
  run "read, 1 controller" 8.310 read --port COM1 -o out/
  run "read, 8 controllers" 8.310 read --port "$all" -o out/
  run "write, 1 controller" 33.851 write CONFIG/FACTORY.QVT --port COM1
  run "write, 8 controllers" 33.851 write CONFIG/FACTORY.QVT --port "$all"
done
