#!/usr/bin/env bash
# Builds everything and runs the whole suite: once under AddressSanitizer + UBSan (every test),
# once under ThreadSanitizer (the tests that run the link's threads).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build/asan -DXERV_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
cmake --build build/asan -j "$jobs"
# The four soak processes spend most of their time waiting on the line: four more slots than
# cores let the rest of the suite run beside them.
ctest --test-dir build/asan -j "$((jobs + 4))" --output-on-failure --timeout 300

# Debian's Qt is not built for ThreadSanitizer: the window's tests run in the stage above, and the
# call worker under it runs here on its own.
cmake -S . -B build/tsan -DXERV_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DXERV_BUILD_TOOL_WINDOW=OFF
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir build/tsan -j "$jobs" --output-on-failure --timeout 300 \
  -L 'link|lib|reader|faults|soak|sim|trace|tooldispatch'

# The fuzz targets, about a minute each.
scripts/fuzz.sh 60
