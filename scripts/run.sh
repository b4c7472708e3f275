#!/usr/bin/env bash
# The main job on the virtual reader: builds the libraries, xerv-sim and the read_card example,
# starts xerv-sim with a card that is swiped two seconds after each read command, and reads that
# card with read_card through libxerv3com, printing each track.
#   scripts/run.sh [seconds to wait for the card (30)]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DXERV_BUILD_TESTS=OFF
cmake --build build/release -j "$(nproc)"

dir=$(mktemp -d)
export XERV_COM_DIR="$dir" XDG_RUNTIME_DIR="$dir"
build/release/sim/xerv-sim --protocol xerv3 --com 1 --dir "$dir" --model 101 --auto-card 2 \
  --no-prompt &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null; rm -rf "$dir"' EXIT
for _ in $(seq 50); do
  [ -e "$dir/COM1" ] && break
  sleep 0.1
done
echo "== read_card against the virtual reader on COM1"
build/release/examples/read_card 1 101 "${1:-30}"
