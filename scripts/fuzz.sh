#!/usr/bin/env bash
# Builds the libFuzzer harnesses (preset fuzz: clang, ASan, UBSan) and runs each for
# SECONDS (default 20), two at a time, starting from its seeds (fuzz/corpus/<harness>/ and
# the delivered files of data/) copied to a scratch corpus. Fails when a harness finds a
# crash, a leak, undefined behaviour, a hang or a broken property; the reproducer stays in
# build-fuzz/fuzz-run/<harness>/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

scripts/deps.sh fuzz
cmake --preset fuzz >/dev/null
# Only what is run: `cmake --build --preset fuzz` builds the whole project with clang.
cmake --build --preset fuzz --target fuzzers

# harness, longest input, seeds from data/. The files' readers refuse what is larger than
# their limits (common/textfile.h: textos.sys 1 MiB, .QVT 16 KiB, the settings files 4 KiB):
# the inputs reach past them.
harnesses=(
  "fuzz_textos 1048640 textos.sys"
  "fuzz_conflang 4160 conflang.sys"
  "fuzz_confcom 4160 confcom.sys"
  "fuzz_defaultfil 4160 Default.fil"
  "fuzz_qvt 16448 CONFIG/FACTORY.QVT"
  "fuzz_report 4096"
  "fuzz_frametext 1024"
  "fuzz_replies 2048"
  "fuzz_transfers 4096"
  "fuzz_sim_requests 2048"
  "fuzz_sim_options 1024"
  "fuzz_cliargs 512"
)

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

bin=$PWD/build-fuzz/fuzz
run=$PWD/build-fuzz/fuzz-run
rm -rf "$run"

# Runs one harness in $run/<harness>/ (corpus, findings, log, status); always returns 0.
fuzz_one() {
  local name=$1 max_len=$2 data_seeds=${3:-} dir=$run/$1 status=0 dict=()
  mkdir -p "$dir/corpus" "$dir/findings"
  cp fuzz/corpus/"$name"/* "$dir/corpus/"
  for f in $data_seeds; do cp "data/$f" "$dir/corpus/data-$(basename "$f")"; done
  if [ -f "fuzz/dict/$name.dict" ]; then dict=(-dict="$PWD/fuzz/dict/$name.dict"); fi
  "$bin/$name" "$dir/corpus" "${dict[@]}" -max_total_time="$seconds" -max_len="$max_len" \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$dir/findings/" >"$dir/log" 2>&1 || status=$?
  echo "$status" >"$dir/status"
}

for entry in "${harnesses[@]}"; do
  fuzz_one $entry &  # unquoted: the entry's words are the arguments
  if [ "$(jobs -rp | wc -l)" -ge 2 ]; then wait -n; fi
done
wait

final_stat() { sed -n "s/^stat::$2: *//p" "$1"; }
failed=()
printf '%-18s %10s %8s %6s  %s\n' harness runs exec/s new result
for entry in "${harnesses[@]}"; do
  name=${entry%% *}
  dir=$run/$name
  status=$(cat "$dir/status")
  result=ok
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$dir/findings")" ]; then
    result="FAILED (exit $status)"
    failed+=("$name")
  fi
  printf '%-18s %10s %8s %6s  %s\n' "$name" "$(final_stat "$dir/log" number_of_executed_units)" \
    "$(final_stat "$dir/log" average_exec_per_sec)" "$(final_stat "$dir/log" new_units_added)" "$result"
done

for name in "${failed[@]}"; do
  dir=$run/$name
  echo
  echo "=== $name: what it found (full log: $dir/log)"
  grep -E -A30 "^==[0-9]+==ERROR|runtime error|property broken|^==[0-9]+== ERROR: libFuzzer" "$dir/log" | head -60
  for finding in "$dir"/findings/*; do
    echo "reproduce: $bin/$name $finding"
  done
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzzing found problems in: ${failed[*]}"; exit 1; }
echo "fuzzing: ${#harnesses[@]} harnesses, ${seconds}s each, nothing found"
