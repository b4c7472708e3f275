#!/usr/bin/env bash
# The main job on the virtual reader: builds the libraries, xerv-sim, the read_card example and
# xervtool, and starts xerv-sim on COM1 with a card that is swiped two seconds after each read
# command. With a display, xervtool starts against it: open COM1 and talk to the reader. Without
# one, read_card reads that card through libxerv3com and prints each track, and a picture of
# xervtool's main window is saved (rendered offscreen) and its path printed.
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
tool=build/release/tool/window/xervtool
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$tool" ]; then
  echo "== xervtool against the virtual reader on COM1 (close the window to stop)"
  "$tool"
  exit 0
fi
echo "== read_card against the virtual reader on COM1"
build/release/examples/read_card 1 101 "${1:-30}"
if [ -x "$tool" ]; then
  echo "== xervtool's main window, rendered offscreen"
  QT_QPA_PLATFORM=offscreen "$tool" --screenshot "$PWD/build/release/xervtool-main-window.png" \
    2>/dev/null
fi
