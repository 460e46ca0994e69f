#!/usr/bin/env bash
# Runs every fuzzer of a TB_FUZZ build folder in turn, each for the given seconds or FUZZ_RUNS
# runs, whichever ends first, on its own corpus (build/corpus/<name>, seeded from
# fuzz/seeds/<name> and the kept fuzz/corpus/<name>), and prints one line for each.
# Usage: [FUZZ_RUNS=n] fuzz/run.sh [build-dir] [seconds] [name...]
set -uo pipefail
build=${1:-build-fuzz}
seconds=${2:-20}
shift $(($# > 2 ? 2 : $#))
here=$(cd "$(dirname "$0")" && pwd)

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for exe in "$build"/fuzz/fuzz_*; do
    [ -f "$exe" ] && [ -x "$exe" ] && names+=("${exe##*/fuzz_}")
  done
fi
if [ ${#names[@]} -eq 0 ]; then
  echo "fuzz: no fuzzers in $build/fuzz" >&2
  exit 1
fi

# A sanitizer report is a finding: stop at it with a full stack.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for name in "${names[@]}"; do
  corpus=$build/corpus/$name
  artifacts=$build/artifacts/$name
  log=$build/fuzz-$name.log
  mkdir -p "$corpus" "$artifacts"
  args=(-max_total_time="$seconds" -runs="${FUZZ_RUNS:--1}" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -f "$here/dicts/$name.dict" ] && args+=(-dict="$here/dicts/$name.dict")
  seeds=()
  [ -d "$here/seeds/$name" ] && seeds=("$here/seeds/$name")
  [ -d "$here/corpus/$name" ] && seeds+=("$here/corpus/$name")
  if "$build/fuzz/fuzz_$name" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    # The last status line: total runs, coverage, features, speed.
    status=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed -E 's/^#([0-9]+)[[:space:]]+[A-Z]+[[:space:]]+/\1 runs, /')
    took=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" | grep -oE '[0-9]+ second' | tail -n 1)
    printf '%-14s ok    %s (%ss)\n' "$name" "$status" "${took% second}"
  else
    printf '%-14s FAIL  (log: %s, input in %s)\n' "$name" "$log" "$artifacts"
    grep -E 'ERROR|invariant broken|runtime error|SUMMARY|deadly signal|Test unit written' "$log" | head -n 8
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
