#!/usr/bin/env bash
# xervtool's start-up time: from exec until the main window is shown with its manual loaded,
# offscreen, as the median of 10 runs. Each run renders the window into a picture and exits, so
# the figure also holds the picture and the exit: an upper bound of the start-up alone.
#   bench/tool_startup.sh [build folder (build/release)]
set -euo pipefail
build=${1:-build/release}
tool="$build/tool/window/xervtool"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
times=()
for i in $(seq 10); do
  start=$(date +%s%N)
  QT_QPA_PLATFORM=offscreen "$tool" --screenshot "$out/shot.png" >/dev/null 2>&1
  end=$(date +%s%N)
  times+=($(((end - start) / 1000000)))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "runs (ms): ${times[*]}"
echo "median: $(((sorted[4] + sorted[5]) / 2)) ms, fastest ${sorted[0]} ms, slowest ${sorted[9]} ms"
