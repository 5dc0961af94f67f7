#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang 14, ASan and UBSan (build tree
# build-fuzz) and runs every target for SECONDS (default 60) from its seed corpus.
# New inputs go to build-fuzz/corpus/<target>/ (the seeds in the repository stay as they
# are); a finding stops its target, is saved as build-fuzz/findings/<target>/crash-*
# and makes the script fail. Replay a finding with: build-fuzz/tests/fuzz/fuzz_<target> FILE
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VORDA_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
SECONDS_PER_TARGET="${1:-60}"
shift || true

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_COMPILER=clang++-14 -DVORDA_FUZZ=ON -DVORDA_BUILD_TESTS=OFF -DVORDA_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target fuzz_all

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in "$ROOT"/tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

failed=()
for t in "${targets[@]}"; do
  corpus="$BUILD/corpus/$t"
  findings="$BUILD/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "=== $t: ${SECONDS_PER_TARGET} s"
  if ! "$BUILD/tests/fuzz/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$ROOT/tests/fuzz/corpus/$t" \
      2>"$BUILD/fuzz-$t.log"; then
    failed+=("$t")
  fi
  grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::new_units_added)" "$BUILD/fuzz-$t.log" || true
  grep -E "ERROR|invariant broken|SUMMARY" "$BUILD/fuzz-$t.log" | head -5 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in: ${failed[*]} (see $BUILD/findings/ and $BUILD/fuzz-<target>.log)"
  exit 1
fi
echo "fuzz.sh: every target ran ${SECONDS_PER_TARGET} s without a finding"
