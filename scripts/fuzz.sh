#!/usr/bin/env bash
# Runs the fuzz targets of build-sanitize/ (made by scripts/sanitize.sh) one after another.
# Usage: scripts/fuzz.sh [seconds per target, 60 by default] [target ...]
# New inputs a run finds go to a temporary folder removed at the end, never into the
# repository; an input that breaks a target is kept in build-sanitize/fuzz-findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/sanitizer-env.sh

seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(lrc_lyrics_fuzzer packed_file_fuzzer ini_file_fuzzer template_movie_fuzzer
           jpeg_header_fuzzer template_combination_fuzzer)
fi

build="${VELMORA_FUZZ_BUILD:-build-sanitize}"   # another sanitizer build folder, if set
for target in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/$target" ]; then
    echo "fuzz: $build/fuzz/$target is missing: run scripts/sanitize.sh first" >&2
    exit 1
  fi
done
findings="$build/fuzz-findings"
mkdir -p "$findings"
# Scratch files on a memory file system where there is one: targets write a file per input.
scratch_base="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_base=/dev/shm
scratch="$(mktemp -d "$scratch_base/velmora-fuzz.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

passed=0
failed=0
for target in "${targets[@]}"; do
  corpus="$scratch/corpus-$target"
  mkdir -p "$corpus" "$scratch/tmp-$target"
  echo "fuzz: $target for ${seconds}s"
  # The first corpus folder receives what the run finds; the committed seeds are only read.
  if TMPDIR="$scratch/tmp-$target" "$build/fuzz/$target" -max_total_time="$seconds" -timeout=30 \
       -print_final_stats=1 -artifact_prefix="$findings/$target-" \
       "$corpus" "tests/fuzz/corpus/$target" > "$scratch/$target.log" 2>&1; then
    passed=$((passed + 1))
    grep -E "^stat::number_of_executed_units|^stat::average_exec_per_sec" "$scratch/$target.log" \
      | sed "s/^/fuzz: $target /"
  else
    failed=$((failed + 1))
    echo "fuzz: $target FOUND A FAULT; the input is in $findings/, the log follows"
    tail -n 80 "$scratch/$target.log"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
