#!/usr/bin/env bash
# Regenerates the example measurement with the quorvel tool: 8 raw traces of 3600 samples in
# inch with noise, and the same measurement as a document. The date the document stores is
# fixed (the traces' modification time, read in UTC), so the same tool gives the same bytes.
# Usage: examples/regenerate.sh [path/to/quorvel]   (default: build/bin/quorvel)
set -euo pipefail
cd "$(dirname "$0")/.."

quorvel=${1:-build/bin/quorvel}
rm -f examples/ang*.dat examples/example.qvl
"$quorvel" synth --out examples --points 3600 --traces 8 --unit inch --noise 2e-8 --seed 1
touch -d "2024-03-14 09:26:53 UTC" examples/ang*.dat
TZ=UTC "$quorvel" save examples/ang000.dat --traces 8 --unit inch -o examples/example.qvl
echo "Wrote examples/example.qvl"
