#!/usr/bin/env bash
# Builds every program and test with AddressSanitizer and UndefinedBehaviorSanitizer (g++,
# its own build tree build-asan) and runs the whole test suite there. Any sanitizer report
# fails the test that caused it; leaks are checked at every process exit, with the one
# known leak of the system font library suppressed (scripts/lsan.supp).
# Usage: scripts/sanitize.sh [extra ctest arguments, e.g. -R Pattern]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${VORDA_ASAN_BUILD_DIR:-$ROOT/build-asan}"

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DVORDA_BUILD_BENCH=OFF >/dev/null

# The same options for the build (test discovery runs the test programs) and the run;
# child processes (recorder-sim, vorda-cli) inherit them.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

cmake --build "$BUILD"
cd "$BUILD"
ctest --output-on-failure --timeout 600 -j "$(nproc)" "$@"
echo "sanitize.sh: every test passed under AddressSanitizer and UndefinedBehaviorSanitizer"
