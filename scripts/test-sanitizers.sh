#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $VELMARIN_ASAN_BUILD_DIR) and runs every test there. The
# first report of either sanitizer, a leak included, fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${VELMARIN_ASAN_BUILD_DIR:-$here/build-asan}
"$here/scripts/install-deps.sh"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMARIN_SANITIZE=ON -DVELMARIN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$here/scripts/lsan-suppressions.txt:print_suppressions=0
cd "$build"
# Sanitized tests run several times slower, and the sweep draws big pages: one at a time
# per core, with room for the slow ones.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 1800
