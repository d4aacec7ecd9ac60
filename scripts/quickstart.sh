#!/usr/bin/env bash
# Installs what is missing, builds the two programs in build/ and runs the main job on the
# bundled example. With a display it opens the desktop program on the example; without one it
# runs the command-line program: the text report on standard output, and the two report PDFs
# and the compensation file in build/quickstart/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quorvelw quorvel -j"$(nproc)"

example=examples/example.qvl
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "quickstart: opening $example in build/bin/quorvelw"
  exec build/bin/quorvelw "$example"
fi

out=build/quickstart
mkdir -p "$out"
build/bin/quorvel analyze "$example"
build/bin/quorvel report "$example" --kind plot --pdf "$out/plot-report.pdf"
build/bin/quorvel report "$example" --kind text --pdf "$out/text-report.pdf"
build/bin/quorvel compensate "$example" -o "$out/example-compensation.dat"
echo "quickstart: no display; wrote $out/plot-report.pdf, $out/text-report.pdf and $out/example-compensation.dat"
