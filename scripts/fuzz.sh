#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ (or
# $VELMARIN_FUZZ_BUILD_DIR) and runs each for the given seconds (default 30),
# starting from fuzz/corpus/<target>/. Any crash, hang, leak or sanitizer
# report fails the run; the input that caused it is kept in the build
# folder's artifacts/. Prints the executions per target.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=${VELMARIN_FUZZ_BUILD_DIR:-$here/build-fuzz}
"$here/scripts/install-deps.sh"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELMARIN_FUZZ=ON \
  -DVELMARIN_BUILD_TESTS=OFF -DVELMARIN_BUILD_BENCH=OFF >/dev/null
targets=()
for source in "$here"/fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
failed=0
summary=()
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$build/$target.log"
  mkdir -p "$work" "$artifacts"
  echo "== $target: ${seconds}s" >&2
  # New inputs go to the build folder's corpus; the seeds in the repository stay as they are.
  if "$build/fuzz/$target" "$work" "$here/fuzz/corpus/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed=1
    tail -n 40 "$log" >&2
  fi
  if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|check failed' "$log"; then
    status=FAILED
    failed=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  summary+=("$(printf '%-22s %12s executions  %s' "$target" "${runs:-?}" "$status")")
done
printf '%s\n' "${summary[@]}"
exit "$failed"
