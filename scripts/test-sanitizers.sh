#!/usr/bin/env bash
# The sanitizer lane, run by CI after scripts/test.sh:
#   1. the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (leaks detected), GUI tests offscreen;
#   2. the engine's, the setup-file library's, zuvsim's and a run's worker
#      threads' tests built with ThreadSanitizer (clang), threaded runs included;
#   3. the setup-file fuzz target (clang libFuzzer, ASan+UBSan) replaying the
#      committed corpus in tests/fuzz/corpus.
# Tests labelled "slow" are left out, as in scripts/test.sh. Each part prints
# how long it took. Give part names (asan, tsan, fuzz) to run only those.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

parts=("$@")
((${#parts[@]})) || parts=(asan tsan fuzz)
jobs=$(nproc)
root=$PWD

# Sanitized programs (test discovery during the build included) run without
# address-space randomisation where that can be switched off: with many random
# bits some kernels place mappings where the sanitizers' shadow memory must go.
norandom=()
if setarch "$(uname -m)" -R true 2> /dev/null; then norandom=(setarch "$(uname -m)" -R); fi

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitizer-leaks.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"

timed() {
  local name=$1
  shift
  local start=$SECONDS
  echo "=== sanitizer lane: $name"
  "$@"
  echo "=== sanitizer lane: $name took $((SECONDS - start)) s"
}

asan() {
  # -O1 with line tables only: the reports keep file and line, and the build
  # of the whole suite takes half the time of full debug information.
  cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
    -DZUV_SANITIZE=ON -DZUV_BUILD_BENCHMARKS=OFF > /dev/null
  "${norandom[@]}" cmake --build build/asan -j"$jobs"
  "${norandom[@]}" ctest --test-dir build/asan --output-on-failure -j"$jobs" -LE slow
}

tsan() {
  cmake -S . -B build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZUV_SANITIZE_THREAD=ON -DZUV_GUI=OFF -DZUV_BUILD_BENCHMARKS=OFF > /dev/null
  "${norandom[@]}" cmake --build build/tsan -j"$jobs"
  "${norandom[@]}" ctest --test-dir build/tsan --output-on-failure -j"$jobs" -LE slow
}

fuzz() {
  cmake -S tests/fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DZUV_FUZZ=ON > /dev/null
  cmake --build build/fuzz -j"$jobs" --target setup_file_fuzzer
  # -runs=0: run every file of the corpus once, mutate nothing.
  "${norandom[@]}" build/fuzz/setup_file_fuzzer -runs=0 tests/fuzz/corpus
}

for part in "${parts[@]}"; do
  case $part in
    asan | tsan | fuzz) timed "$part" "$part" ;;
    *) echo "unknown part: $part (asan, tsan or fuzz)" >&2; exit 2 ;;
  esac
done
