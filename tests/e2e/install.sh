#!/usr/bin/env bash
# The program as a packager installs it: `cmake --install` into a scratch
# prefix puts every file in its place, the desktop files validate, and the
# installed program, started from a folder outside the source and build
# trees, finds its player and plays the announcement movie from a local
# server.
set -euo pipefail
build=$1
version=$2
server_exe=$3
make_swf=$4
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
# The web engine cannot sandbox itself when the tests run as root.
export QTWEBENGINE_DISABLE_SANDBOX=1

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || fail "install failed: $(cat "$scratch/install.log")"
# The program built to fetch from $MUREL_E2E_PUBLISHER, beside the real one.
cmake --install "$build" --prefix "$prefix" --component e2e >>"$scratch/install.log" || fail "e2e install failed"

for f in bin/murel share/murel/pictures/background-6@2x.png lib/murel/modules/murel-network.so lib/murel/murel-player lib/murel/player/player.html lib/murel/player/ruffle/ruffle.js \
  share/applications/org.murel.Murel.desktop share/metainfo/org.murel.Murel.metainfo.xml \
  share/icons/hicolor/scalable/apps/org.murel.Murel.svg share/man/man1/murel.1.gz \
  share/doc/murel/README.md share/doc/murel/LICENSE; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/org.murel.Murel.png
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "icon ${size}x${size} missing or of another size"
done
[ -z "$(find "$prefix" -name '*.map')" ] || fail "source maps installed"
grep -q 'GPL-3.0-or-later' "$prefix/share/metainfo/org.murel.Murel.metainfo.xml" || fail "no licence in the AppStream file"
grep -q "release version=\"$version\"" "$prefix/share/metainfo/org.murel.Murel.metainfo.xml" || fail "no release $version in the AppStream file"

desktop-file-validate "$prefix/share/applications/org.murel.Murel.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/org.murel.Murel.metainfo.xml" >"$scratch/appstream.log" 2>&1 \
  || fail "AppStream file does not validate: $(cat "$scratch/appstream.log")"
warnings=$(MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/murel.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page warnings: $warnings"

# Started from elsewhere, with only the installed files to go by.
away=$scratch/elsewhere
mkdir -p "$away"
cd "$away"
[ "$("$prefix/bin/murel" --version)" = "murel $version" ] || fail "installed --version"

srv=$scratch/server
mkdir -p "$srv"
"$make_swf" "$srv/me.swf" compressed
printf 'announcement 1\r\n' >"$srv/me.txt"
start_server "$srv"
export MUREL_E2E_PUBLISHER=$server_url

exe=$prefix/bin/murel-e2e
data=$scratch/data
mkdir -p "$data"
start_murel "$data"
pid=$started
wait_until 10 has_role "$pid" murel-main || fail "main window did not appear"
wait_until 15 cmp -s "$srv/me.swf" "$data/murel/1.swf" || fail "the movie was not installed"
plays() { strip_shows_movie "$(role_window "$pid" murel-main)"; }
wait_until 40 plays || fail "the installed program does not play the movie"
# The player it plays with is the installed one.
player_from_prefix() {
  local child
  for child in $(pgrep -P "$pid"); do
    [ "$(readlink "/proc/$child/exe")" = "$prefix/lib/murel/murel-player" ] && return 0
  done
  return 1
}
player_from_prefix || fail "the player was not started from $prefix/lib/murel"
echo PASS
