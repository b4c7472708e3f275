#!/usr/bin/env bash
# Installs the build into a fresh prefix and builds the read_card example against it twice, as a
# host programmer would: with the CMake package and with pkg-config. Then runs both builds.
#   check_install.sh BUILD_DIR SOURCE_DIR "EXTRA_C_FLAGS"
set -euo pipefail
build=$1 source=$2 flags=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
lib=$(dirname "$(find "$work/prefix" -name 'libxerv3com.so.1' | head -n 1)")
test -L "$lib/libxerv3com.so.1" && test -L "$lib/libxerv1.so.1"
test -x "$work/prefix/bin/xerv-sim"

cmake -S "$source/examples/installed" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
cmake --build "$work/cmake-build" >/dev/null

PKG_CONFIG_PATH="$lib/pkgconfig" pkg-config --exists xerv3com xerv1
# shellcheck disable=SC2046,SC2086
cc $flags -o "$work/read_card_pc" "$source/examples/read_card.c" \
  $(PKG_CONFIG_PATH="$lib/pkgconfig" pkg-config --cflags --libs xerv3com)

# Both programs load the installed library: COM99 does not exist, so each reports the open
# failure (9002) and exits with 1.
export XERV_COM_DIR="$work" XDG_RUNTIME_DIR="$work"
for program in "$work/cmake-build/read_card" "$work/read_card_pc"; do
  set +e
  out=$(LD_LIBRARY_PATH="$lib" "$program" 99 - 1 2>&1)
  status=$?
  set -e
  echo "$out"
  [ "$status" -eq 1 ] && grep -q 9002 <<<"$out"
done
echo "installed package OK"
