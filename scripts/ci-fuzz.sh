#!/usr/bin/env bash
# Builds the fuzz targets in build-fuzz/ (clang-14, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each from its seed corpus in tests/fuzz_corpus/ for
# FUZZ_SECONDS seconds (60), both at once. A crash, a sanitizer report, a leak or a broken
# invariant of a target fails; the input that did it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "ci-fuzz: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

rm -rf build-fuzz
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DQUORVEL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j"$(nproc)"

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
seconds="${FUZZ_SECONDS:-60}"
mkdir -p build-fuzz/artifacts
pids=()
for target in trace_file document_file; do
  # New inputs go to a scratch corpus; the seeds in the tree stay as they are.
  mkdir -p "build-fuzz/corpus/$target"
  build-fuzz/bin/fuzz_$target -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$target-" \
    "build-fuzz/corpus/$target" "tests/fuzz_corpus/$target" >"build-fuzz/fuzz_$target.log" 2>&1 &
  pids+=($!)
done
status=0
i=0
for target in trace_file document_file; do
  if wait "${pids[$i]}"; then
    echo "ci-fuzz: fuzz_$target: $(grep -h 'number_of_executed_units' "build-fuzz/fuzz_$target.log" | tr -s ' ') in ${seconds} s, no finding"
  else
    status=1
    echo "ci-fuzz: fuzz_$target FAILED; its log:" >&2
    tail -n 80 "build-fuzz/fuzz_$target.log" >&2
    ls -l build-fuzz/artifacts/ >&2
  fi
  i=$((i + 1))
done
exit $status
