#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time,
# starting from the seeds. Any finding (crash, sanitizer report, leak, time-out) fails the run.
#   scripts/fuzz.sh [seconds per target (60)]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DXERV_FUZZ=ON -DXERV_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/fuzz -j "$(nproc)" --target fuzz_targets
targets=(build/fuzz/fuzz/frame_fuzz build/fuzz/fuzz/export_fuzz_* build/fuzz/fuzz/tool_files_fuzz)
work=build/fuzz/runs
mkdir -p "$work"
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$work/$name-corpus"
  mkdir -p "$corpus"
  [ "$name" = frame_fuzz ] && python3 fuzz/make_seeds.py "$corpus"
  extra=()
  # The tool's readers start from the shipped language files, trees and manuals, cut to 4 KiB:
  # every path of the readers shows within that, and longer inputs only slow the run.
  if [ "$name" = tool_files_fuzz ]; then
    find tool/data -maxdepth 1 -type f \( -name '*.nlf' -o -name '*.txt' \) \
      -exec cp -n {} "$corpus" \;
    extra=(-max_len=4096)
  fi
  echo "== $name: $seconds s"
  "$target" -max_total_time="$seconds" -timeout=10 -len_control=0 -print_final_stats=1 \
    "${extra[@]}" -artifact_prefix="$work/$name-" "$corpus" 2>"$work/$name.log" || {
    tail -n 60 "$work/$name.log"
    echo "$name: finding (see $work/$name.log)" >&2
    exit 1
  }
  grep -E "^stat::(number_of_executed_units|peak_rss_mb)|cov: " "$work/$name.log" | tail -n 3
done
