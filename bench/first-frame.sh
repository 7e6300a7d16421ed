#!/usr/bin/env bash
# The movie's first frame: murel with the movie installed, its window shown
# at start, beside a plain Chromium page running the same Ruffle build, page
# and movie from files, in interleaved rounds under one X server. Prints,
# for each, launch to window mapped and to the first frame.
#   bench/first-frame.sh [BUILD] [ROUNDS]     (Debian's chromium needed)
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
rounds=${2:-5}
if [ -z "${BENCH_XVFB:-}" ]; then
  export BENCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$build" "$rounds"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
no_sandbox=()
[ "$(id -u)" -ne 0 ] || no_sandbox=(--no-sandbox)

mkdir -p "$work/windir/murel"
"$build/tests/make-swf" "$work/windir/murel/1.swf" compressed
# The plain page: the player's own page, told to play the movie when it
# has loaded, next to the same Ruffle files.
cp -r "$build/player" "$work/page"
cp "$work/windir/murel/1.swf" "$work/page/movie.swf"
sed 's|</body>|<script>window.addEventListener("load", function () { play("movie.swf"); });</script></body>|' \
  "$build/player/player.html" >"$work/page/plain.html"
# Nothing is cached between rounds: a fresh profile each time.
chrome() {
  rm -rf "$work/profile"
  "$build/bench/first-frame" - chromium "${no_sandbox[@]}" --user-data-dir="$work/profile" --no-first-run \
    --no-default-browser-check --allow-file-access-from-files --window-size=400,200 \
    --app="file://$work/page/plain.html" 2>/dev/null
}
murel() {
  windir=$work/windir "$build/bench/first-frame" murel-main "$build/murel" 2>/dev/null
}
: >"$work/chrome.txt"; : >"$work/murel.txt"
for _ in $(seq "$rounds"); do
  chrome >>"$work/chrome.txt" || echo "chromium: no frame" >&2
  murel >>"$work/murel.txt" || echo "murel: no frame" >&2
done
# Columns: launch-to-map, launch-to-frame; reported: the median of each and
# of the frame after the map.
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
report() {
  local map frame after
  map=$(cut -d' ' -f1 "$1" | median)
  frame=$(cut -d' ' -f2 "$1" | median)
  after=$(awk '{print $2 - $1}' "$1" | median)
  echo "mapped $map ms, first frame $frame ms after launch, $after ms after the map" \
    "(medians of $(wc -l <"$1"); frame after map: $(awk '{print $2 - $1}' "$1" | sort -n | tr '\n' ' '))"
}
echo "plain Chromium page: $(report "$work/chrome.txt")"
echo "murel:               $(report "$work/murel.txt")"
