#!/usr/bin/env bash
# `make package`'s Debian packages: murel and murel-player with their
# dependencies, stripped binaries with the symbols in -dbgsym packages,
# and no lintian error. A build without a publisher (the default) never
# starts the player: murel only suggests it then. No web address is named
# that was not configured.
set -euo pipefail
build=$1
version=$2
cpack=${3:-cpack}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build" && "$cpack" -G DEB -B "$out") >"$out/cpack.log" 2>&1 || fail "cpack failed: $(cat "$out/cpack.log")"
arch=$(dpkg --print-architecture)
murel=$out/murel_${version}_$arch.deb
player=$out/murel-player_${version}_$arch.deb
for f in "$murel" "$player" "$out/murel-dbgsym_${version}_$arch.ddeb" "$out/murel-player-dbgsym_${version}_$arch.ddeb"; do
  [ -f "$f" ] || fail "not built: $(basename "$f")"
done

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$murel" Version)" = "$version" ] || fail "murel's version is $(field "$murel" Version)"
field "$murel" Depends | grep -q 'libqt6widgets6' || fail "murel's dependencies were not computed: $(field "$murel" Depends)"
field "$murel" Depends | grep -q 'fonts-noto-core, fonts-hosny-amiri' || fail "murel does not depend on its Arabic faces"
cached() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
publisher=$(cached MUREL_PUBLISHER_URL)
homepage=$(cached MUREL_HOMEPAGE)
screenshot=$(cached MUREL_SCREENSHOT_URL)
# A field the package lacks reads empty.
if [ -z "$publisher" ]; then
  [ "$(field "$murel" Recommends)" = qt6-wayland ] || fail "murel without a publisher recommends: $(field "$murel" Recommends)"
  [ "$(field "$murel" Suggests)" = murel-player ] || fail "murel without a publisher does not suggest murel-player: $(field "$murel" Suggests)"
else
  [ "$(field "$murel" Recommends)" = "murel-player, qt6-wayland" ] \
    || fail "murel with a publisher does not recommend murel-player and the Wayland platform plugin: $(field "$murel" Recommends)"
  [ -z "$(field "$murel" Suggests)" ] || fail "murel with a publisher also suggests: $(field "$murel" Suggests)"
fi
[ "$(field "$murel" Homepage)" = "$homepage" ] || fail "murel's home page is \"$(field "$murel" Homepage)\", configured \"$homepage\""
field "$murel" Depends | grep -q webengine && fail "murel depends on the web engine"
field "$player" Depends | grep -q "murel (= $version)" || fail "murel-player does not depend on murel $version"
field "$player" Depends | grep -q 'libqt6webenginewidgets6' || fail "murel-player lacks its web engine: $(field "$player" Depends)"

mkdir "$out/murel" "$out/player"
dpkg-deb -x "$murel" "$out/murel"
dpkg-deb -x "$player" "$out/player"
file "$out/murel/usr/bin/murel" | grep -q ', stripped' || fail "murel is not stripped"
# The network module comes with the program, and its libraries count
# among the program's dependencies although the program does not link them.
file "$out/murel/usr/lib/murel/modules/murel-network.so" | grep -q ', stripped' || fail "the network module is not in murel or not stripped"
field "$murel" Depends | grep -q 'libqt6network6' || fail "murel does not depend on Qt Network for its module: $(field "$murel" Depends)"
file "$out/player/usr/lib/murel/murel-player" | grep -q ', stripped' || fail "the player is not stripped"
[ -z "$(find "$out/player" -name '*.map')" ] || fail "source maps packaged"
metainfo=$out/murel/usr/share/metainfo/org.murel.Murel.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream file in murel"
if [ -z "$homepage$screenshot" ]; then
  grep -Eq '<url|<screenshot|https?://' "$metainfo" && fail "AppStream file names addresses that were not configured: $(grep -E '<url|<screenshot|https?://' "$metainfo")"
fi
appstreamcli validate --no-net --strict "$metainfo" >"$out/appstream.log" 2>&1 \
  || fail "AppStream file does not validate: $(cat "$out/appstream.log")"
# Read whole first: grep stopping early would break dpkg-deb's pipe.
debug_files=$(dpkg-deb -c "$out/murel-dbgsym_${version}_$arch.ddeb" | grep -c '/usr/lib/debug/.build-id/.*\.debug$' || true)
[ "$debug_files" -ge 2 ] || fail "no debug symbols for murel and its network module ($debug_files files)"

status=0
lintian --fail-on error --display-level '>=warning' "$murel" "$player" >"$out/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$out/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors (status $status)"
echo PASS
