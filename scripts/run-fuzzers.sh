#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang; for each target, runs its regression inputs
# (fuzz/regressions/<target>) once, then fuzzes for SECONDS (default 30) over a scratch copy of
# its seed corpus, FUZZ_JOBS targets at a time (default: one per core). Prints the executions
# per second and the coverage of every target; exits non-zero when any target finds a crash, a
# leak, a timeout or a failed check (the inputs are kept and named).
# Usage: scripts/run-fuzzers.sh [SECONDS] [TARGET...]
set -euo pipefail
seconds=${1:-30}
shift || true
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
bash scripts/setup-debian.sh
source scripts/compiler-cache.sh

build=build/fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
nice -n 19 cmake --build "$build" -j2

# Longest input per target: room for the largest realistic answer or file part, small enough
# that every execution stays fast.
declare -A max_len=(
  [json]=16384 [cookies]=4096 [settings]=12288 [text]=8192
  [qr]=3000 [memory_module]=16384 [sandbox]=4096)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(json cookies settings text qr memory_module sandbox)

scratch=$(mktemp -d -t hosting-fuzz.XXXXXX)

# Regression inputs once each, then fuzzing over a scratch copy of the seed corpus; leaves the
# target's summary line in $scratch/<target>/summary and, on a finding, a FAIL marker.
fuzz_one() {
  local target=$1 work="$scratch/$1" status=0 regressions
  mkdir -p "$work/corpus" "$work/artifacts"
  cp -r "fuzz/corpus/$target/." "$work/corpus/"
  # Kept out of the corpus: a slow regression input would slow every run.
  mapfile -t regressions < <(find "fuzz/regressions/$target" -type f 2>/dev/null | sort)
  if [ ${#regressions[@]} -gt 0 ]; then
    UBSAN_OPTIONS=print_stacktrace=1 "$build/${target}_fuzz" -timeout=60 -rss_limit_mb=2048 \
      "${regressions[@]}" >"$work/regressions.log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      cp "$work/regressions.log" "$work/log"
    fi
  fi
  if [ "$status" -eq 0 ]; then
    UBSAN_OPTIONS=print_stacktrace=1 nice -n 19 "$build/${target}_fuzz" \
      -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" \
      >"$work/log" 2>&1 || status=$?
  fi
  local coverage speed runs corpus
  coverage=$(grep -E '^#[0-9]+.*cov: ' "$work/log" | tail -n 1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)
  speed=$(grep -oE 'stat::average_exec_per_sec: *[0-9]+' "$work/log" | grep -oE '[0-9]+$' || true)
  runs=$(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$work/log" | grep -oE '[0-9]+$' || true)
  corpus=$(find "$work/corpus" -type f | wc -l)
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$work/artifacts")" ]; then
    touch "$work/FAIL"
    {
      echo "FAIL $target (exit $status); log and inputs in $work"
      grep -E 'ERROR|FUZZ CHECK|first:|second:|SUMMARY|Test unit written' "$work/log" | head -n 20 || true
    } >"$work/summary"
  else
    printf '%-14s %s s, %s runs, %s exec/s, %s, corpus %s inputs, %s regression inputs passed\n' \
      "$target" "$seconds" "${runs:-?}" "${speed:-?}" "${coverage:-cov: ?}" "$corpus" \
      "${#regressions[@]}" >"$work/summary"
  fi
}

# Each fuzzer is one process on one core: run as many side by side as there are cores.
jobs=${FUZZ_JOBS:-$(nproc)}
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
    wait -n || true
  done
  fuzz_one "$target" &
done
wait

failed=()
for target in "${targets[@]}"; do
  if [ -e "$scratch/$target/summary" ] && [ ! -e "$scratch/$target/FAIL" ]; then
    cat "$scratch/$target/summary"
  else
    cat "$scratch/$target/summary" 2>/dev/null || echo "FAIL $target: the run ended early; see $scratch/$target"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found problems in: ${failed[*]}"
  exit 1
fi
rm -rf "$scratch"
echo "fuzzing: ${#targets[@]} targets, no finding"
