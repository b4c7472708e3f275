#!/usr/bin/env bash
# Builds the Debian packages from a release build of its own, unpacks them into a scratch root
# (no system install) and uses them from there as a user would: a host program built with
# pkg-config and with the CMake package reads a card from the unpacked xerv-sim, and the unpacked
# xervtool saves a screenshot with its unpacked libraries and data.
#   check_packages.sh SOURCE_DIR [WORK_DIR]
set -euo pipefail
source=$(cd "$1" && pwd)
work=${2:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'kill "${sim_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
else
  # A given folder keeps its build between runs.
  mkdir -p "$work" && rm -rf "$work/root" "$work/ports" "$work/run" "$work/cmake-example" "$work/build/packages"
  trap 'kill "${sim_pid:-}" 2>/dev/null || true' EXIT
fi
fail() { echo "FAIL: $*" >&2; exit 1; }

# A plain release build (the test suite's own build may carry sanitizers), only of what the
# packages hold.
build=$work/build
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DXERV_BUILD_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >"$work/configure.log"
targets=(xerv3com xerv1 xerv-sim man_pages)
with_tool=0
if grep -qx '\.\.\. xervtool' <<<"$(cmake --build "$build" --target help)"; then
  targets+=(xervtool)
  with_tool=1
fi
cmake --build "$build" -j 2 --target "${targets[@]}" >"$work/build.log" ||
  { tail -n 30 "$work/build.log"; fail "release build"; }
(cd "$build" && cpack -G DEB >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
debs=$build/packages
packages=(libxerv3com1 libxerv1-1 libxerv-dev xerv-sim)
((with_tool)) && packages+=(xervtool)
root=$work/root
for p in "${packages[@]}"; do
  deb=$(echo "$debs/${p}_${version}"-*.deb)
  [ -f "$deb" ] || fail "no package $p for version $version"
  field() { dpkg-deb -f "$deb" "$1"; }
  [[ $(field Version) == "$version"-* ]] || fail "$p: Version $(field Version)"
  [ "$(field Maintainer)" = "KVX reader software team <kvx-team@example.com>" ] ||
    fail "$p: Maintainer $(field Maintainer)"
  [ -n "$(field Section)" ] && [ -n "$(field Priority)" ] || fail "$p: Section/Priority"
  # A summary line and a long description under it.
  [ "$(field Description | wc -l)" -ge 2 ] || fail "$p: no long description"
  case $p in
    libxerv-dev | xervtool)
      for lib in libxerv3com1 libxerv1-1; do
        grep -q "$lib (= $(field Version))" <<<"$(field Depends)" ||
          fail "$p: Depends lacks $lib (= $(field Version)): $(field Depends)"
      done ;;
  esac
  case $p in
    libxerv3com1 | libxerv1-1 | xerv-sim | xervtool)
      grep -q 'libc6' <<<"$(field Depends)" || fail "$p: no shared-library Depends" ;;
  esac
  # A runtime library package holds no unversioned link (that is the development package's).
  contents=$(dpkg-deb -c "$deb")
  if [[ $p == lib*[0-9] ]] && grep -qE '\.so$' <<<"$contents"; then
    fail "$p holds an unversioned .so link"
  fi
  grep -q "\./usr/share/doc/$p/copyright$" <<<"$contents" || fail "$p: no copyright file"
  dpkg-deb -x "$deb" "$root"
done
if ((with_tool)); then
  grep -q 'libqt6widgets6' <<<"$(dpkg-deb -f "$debs/xervtool_${version}"-*.deb Depends)" ||
    fail "xervtool: no Qt in Depends"
fi

libdir=$(dirname "$(find "$root/usr/lib" -name libxerv3com.so.1 | head -n 1)")
[ -e "$libdir/libxerv3com.so" ] && [ -e "$libdir/libxerv1.so" ] || fail "dangling .so links"

# Manual pages: compressed and shown by man without complaint.
pages=(xerv-sim)
((with_tool)) && pages+=(xervtool)
for page in "${pages[@]}"; do
  gz=$root/usr/share/man/man1/$page.1.gz
  gzip -t "$gz" || fail "$page.1.gz"
  out=$(MANWIDTH=80 man --warnings -l "$gz" 2>&1 >/dev/null) || fail "man $page"
  [ -z "$out" ] || fail "man $page warns: $out"
done

# A host program against the unpacked development package, with pkg-config and with the
# CMake package.
export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2046
cc -o "$work/read_card" "$source/examples/read_card.c" $(pkg-config --cflags --libs xerv3com)
cmake -S "$source/examples/installed" -B "$work/cmake-example" -DCMAKE_PREFIX_PATH="$root/usr" \
  >/dev/null
cmake --build "$work/cmake-example" >/dev/null

# The unpacked xerv-sim: its help, then a reader on a scratch port folder that swipes a sample
# card a second after the read command, which both host programs read.
grep -q -- '--auto-card' <<<"$("$root/usr/bin/xerv-sim" --help)" || fail "xerv-sim --help"
mkdir -p -m 700 "$work/run"
export XERV_COM_DIR=$work/ports XDG_RUNTIME_DIR=$work/run
"$root/usr/bin/xerv-sim" --com 7 --auto-card 1 --no-prompt >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 100); do [ -e "$XERV_COM_DIR/COM7" ] && break; sleep 0.05; done
[ -e "$XERV_COM_DIR/COM7" ] || { cat "$work/sim.log"; fail "xerv-sim made no COM7"; }
for program in "$work/read_card" "$work/cmake-example/read_card"; do
  LD_LIBRARY_PATH=$libdir "$program" 7 - 10 >"$work/read.log" 2>&1 ||
    { cat "$work/read.log"; fail "$program read no card"; }
  grep -qi 'track' "$work/read.log" || { cat "$work/read.log"; fail "$program printed no track"; }
done
kill "$sim_pid"
wait "$sim_pid" || true
sim_pid=""

if ((with_tool)); then
  # The unpacked tool finds its libraries and data beside it, in ../lib/<arch> and
  # ../share/xervtool, not in the system folders.
  shot=$work/shot.png
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/xervtool" --screenshot "$shot" >"$work/tool.log" 2>&1 ||
    { cat "$work/tool.log"; fail "xervtool --screenshot"; }
  grep -q 'PNG image data' <<<"$(file "$shot")" || fail "no PNG from xervtool"
  [ "$("$root/usr/bin/xervtool" --version)" = "xervtool $version" ] || fail "xervtool --version"
  for size in 16 32 48 64 128 256; do
    [ -s "$root/usr/share/icons/hicolor/${size}x$size/apps/xervtool.png" ] || fail "icon $size"
  done
  [ -s "$root/usr/share/icons/hicolor/scalable/apps/xervtool.svg" ] || fail "scalable icon"
  desktop-file-validate "$root/usr/share/applications/xervtool.desktop"
  appstreamcli validate --no-net "$root/usr/share/metainfo/"*.metainfo.xml >/dev/null
fi
echo "packages OK: ${packages[*]}"
