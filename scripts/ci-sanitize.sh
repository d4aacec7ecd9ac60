#!/usr/bin/env bash
# The whole test suite once more, built in build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer (gcc, -O1), halting at the first error. Leaks are errors too;
# none needs suppressing, Qt's included.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

rm -rf build-asan
# -O1 keeps the sanitized build and run of the Qt layers within CI's time; the build's test
# discovery already runs the binaries, so the options above are set before it.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DQUORVEL_SANITIZE=ON -DQUORVEL_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
ctest --test-dir build-asan --output-on-failure -j"$(nproc)" --timeout 1200
