#!/usr/bin/env bash
# `make package`'s Debian packages: murel and murel-player with their
# dependencies, stripped binaries with the symbols in -dbgsym packages,
# and no lintian error.
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
[ "$(field "$murel" Recommends)" = "murel-player, qt6-wayland" ] \
  || fail "murel does not recommend murel-player and the Wayland platform plugin: $(field "$murel" Recommends)"
field "$murel" Depends | grep -q webengine && fail "murel depends on the web engine"
field "$player" Depends | grep -q "murel (= $version)" || fail "murel-player does not depend on murel $version"
field "$player" Depends | grep -q 'libqt6webenginewidgets6' || fail "murel-player lacks its web engine: $(field "$player" Depends)"

mkdir "$out/murel" "$out/player"
dpkg-deb -x "$murel" "$out/murel"
dpkg-deb -x "$player" "$out/player"
file "$out/murel/usr/bin/murel" | grep -q ', stripped' || fail "murel is not stripped"
file "$out/player/usr/lib/murel/murel-player" | grep -q ', stripped' || fail "the player is not stripped"
[ -z "$(find "$out/player" -name '*.map')" ] || fail "source maps packaged"
dpkg-deb -c "$out/murel-dbgsym_${version}_$arch.ddeb" | grep -q '/usr/lib/debug/.build-id/.*\.debug$' || fail "no debug symbols for murel"

status=0
lintian --fail-on error --display-level '>=warning' "$murel" "$player" >"$out/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$out/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors (status $status)"
echo PASS
