#!/usr/bin/env bash
# Launch to the main window mapped: murel (first run, window shown) beside
# a bare Qt tray application, in interleaved rounds under one X server.
#   bench/startup.sh [BUILD] [ROUNDS]
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
rounds=${2:-20}
if [ -z "${BENCH_XVFB:-}" ]; then
  export BENCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$build" "$rounds"
fi
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mkdir "$data/windir"
export windir=$data/windir QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$data
# One unmeasured round each: the disk cache warm for both.
"$build/bench/launch-to-map" bare-main "$build/bench/bare-tray" >/dev/null
"$build/bench/launch-to-map" murel-main "$build/murel" >/dev/null
: >"$data/bare" ; : >"$data/murel"
for _ in $(seq "$rounds"); do
  "$build/bench/launch-to-map" bare-main "$build/bench/bare-tray" >>"$data/bare"
  "$build/bench/launch-to-map" murel-main "$build/murel" >>"$data/murel"
done
summary() { sort -n "$1" | awk '{a[NR]=$1} END {printf "median %.1f ms (min %.1f, max %.1f, n %d)", a[int((NR+1)/2)], a[1], a[NR], NR}'; }
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "bare Qt tray app: $(summary "$data/bare")"
echo "murel:            $(summary "$data/murel")"
awk -v m="$(median "$data/murel")" -v b="$(median "$data/bare")" 'BEGIN {printf "ratio of medians: %.2f\n", m / b}'
