#!/usr/bin/env bash
# A clone built without the network: with the player's npm package moved
# away, CMake says so once, everything else builds, and murel starts with
# the banner in its strip even when a movie is installed.
set -euo pipefail
src=$1
build=$2
make_swf=$3
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

# The source tree without its build folders, then the npm package moved
# away in the copy.
copy=$scratch/src
mkdir -p "$copy"
excludes=(--exclude=./.git --exclude=./build --exclude='./build-*')
case "$build" in
  "$src"/*) excludes+=("--exclude=./${build#"$src"/}") ;;
esac
tar -C "$src" "${excludes[@]}" -cf - . | tar -C "$copy" -xf -
if [ -d "$copy/announce/player/node_modules" ]; then
  mv "$copy/announce/player/node_modules" "$scratch/node_modules.away"
fi

# The build folder sits in the copy as build/ sits in the tree, so the
# compiler sees the same relative paths. When the tree's own build can be
# reused (MUREL_OFFLINE_REUSE=1, set by tests/CMakeLists.txt: it went
# through ccache with relative paths and without the working folder in the
# hashes), this one takes that build's type, options and launcher, relative
# to the scratch folder: the objects come from the cache and only moc, rcc
# and the links run. Otherwise: unoptimised and without debug information,
# the quickest build from nothing.
out=$copy/build
cache=$build/CMakeCache.txt
setting() { sed -n "s/^$1:[A-Z]*=//p" "$cache" 2>/dev/null | head -n1; }
options=(-DBUILD_TESTING=OFF)
if [ "${MUREL_OFFLINE_REUSE:-0}" = 1 ]; then
  options+=("-DCMAKE_CXX_COMPILER_LAUNCHER=$(setting CMAKE_CXX_COMPILER_LAUNCHER)"
    "-DCMAKE_BUILD_TYPE=$(setting CMAKE_BUILD_TYPE)")
  while IFS= read -r o; do
    options+=("-D$o")
  done < <(grep -E '^MUREL_[A-Z_]+:(BOOL|STRING|PATH|FILEPATH)=' "$cache")
  export CCACHE_BASEDIR=$scratch CCACHE_NOHASHDIR=1
else
  options+=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0)
fi
notice='Ruffle (npm) is not in announce/player/node_modules'
cmake -S "$copy" -B "$out" -G Ninja "${options[@]}" \
  >"$scratch/configure.log" 2>&1 || fail "configure failed: $(tail -20 "$scratch/configure.log")"
[ "$(grep -c "$notice" "$scratch/configure.log")" -eq 1 ] || fail "CMake did not say once that Ruffle is missing"
cmake "$out" >"$scratch/reconfigure.log" 2>&1 || fail "second configure failed"
! grep -q "$notice" "$scratch/reconfigure.log" || fail "CMake said it again on the next configure"

cmake --build "$out" -j2 >"$scratch/build.log" 2>&1 || fail "build failed: $(tail -30 "$scratch/build.log")"
[ -x "$out/murel" ] || fail "no murel built"
[ ! -e "$out/murel-player" ] || fail "a player was built without Ruffle"

# It runs, with a movie installed and no player to show it: the banner.
exe=$out/murel
data=$scratch/data
mkdir -p "$data/murel"
"$make_swf" "$data/murel/1.swf" compressed
start_murel "$data"
pid=$started
wait_until 20 has_role "$pid" murel-main || fail "main window did not appear"
tried() { grep -q 'Movie player unavailable' "$scratch"/murel-*.log; }
wait_until 10 tried || fail "the strip never looked for its player"
alive "$pid" || fail "murel ended"
win=$(role_window "$pid" murel-main)
[ -n "$win" ] || fail "main window went away"
timeout 10 import -window "$win" -crop 278x54+16+280 +repage "$scratch/strip.png" || fail "no picture of the strip"
# The banner's dark blue ground: blue well above red and green on average.
read -r r g b < <(convert "$scratch/strip.png" -resize 1x1\! -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]\n' info:)
[ "$b" -gt 60 ] && [ "$b" -gt $((r + 30)) ] && [ "$b" -gt $((g + 20)) ] || fail "the strip does not show the banner (mean colour $r,$g,$b)"
echo PASS
