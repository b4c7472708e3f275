#!/usr/bin/env bash
# Builds the libraries and runs the link benchmark over a pseudo-terminal: a reader that answers
# at once, the time of each command against the line-silence floor, and an idle port's cost.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DXERV_BUILD_TESTS=OFF
cmake --build build/release -j "$(nproc)"
build/release/bench/link_bench "$@"
