#!/usr/bin/env bash
# Idle in the tray: murel started hidden with its cycle running (one
# reminder an hour, no publisher, no movie) beside the bare Qt tray program
# with its one-second timer, started hidden too, under one X server and
# tray. After both have settled, prints for each: RSS and PSS, CPU over the
# window (ticks of all threads) and wake-ups (context switches of all
# threads), and murel's ratios to the bare program.
#   bench/idle.sh [BUILD] [SECONDS]
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
window=${2:-120}
if [ -z "${BENCH_XVFB:-}" ]; then
  export BENCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$build" "$window"
fi
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/smaps_rollup"; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }

trayer --edge top --align right --widthtype pixel --width 160 --height 24 >/dev/null 2>&1 &
pids+=("$!")
sleep 1
mkdir -p "$work/windir/murel"
printf '"1","MS Sans Serif","0","59","10",#FALSE#,#TRUE#,#FALSE#\r\n' >"$work/windir/murel/background.txt"
windir=$work/windir "$build/murel" >/dev/null 2>&1 &
murel=$!; pids+=("$murel")
"$build/bench/bare-tray" --hidden >/dev/null 2>&1 &
bare=$!; pids+=("$bare")
# The first reminder comes and goes (ten seconds), and both settle.
sleep 15
declare -A t0 s0
for p in "$murel" "$bare"; do t0[$p]=$(ticks "$p"); s0[$p]=$(switches "$p"); done
sleep "$window"
hz=$(getconf CLK_TCK)
declare -A rss pss cpu wake
for p in "$murel" "$bare"; do
  rss[$p]=$(kb "$p" Rss); pss[$p]=$(kb "$p" Pss)
  cpu[$p]=$(( $(ticks "$p") - t0[$p] )); wake[$p]=$(( $(switches "$p") - s0[$p] ))
done
line() {
  awk -v n="$1" -v r="${rss[$2]}" -v s="${pss[$2]}" -v c="${cpu[$2]}" -v w="${wake[$2]}" -v hz="$hz" -v t="$window" \
    'BEGIN {printf "%-17s RSS %.1f MB, PSS %.1f MB, CPU %d ticks (%.4f%% of a core), %.1f wake-ups a second\n", n, r / 1024, s / 1024, c, 100 * c / hz / t, w / t}'
}
echo "over $window s:"
line "bare Qt tray app:" "$bare"
line "murel:" "$murel"
awk -v mr="${rss[$murel]}" -v br="${rss[$bare]}" -v mc="${cpu[$murel]}" -v bc="${cpu[$bare]}" -v mw="${wake[$murel]}" -v bw="${wake[$bare]}" \
  'BEGIN {printf "ratios murel/bare: RSS %.2f, CPU %s, wake-ups %.2f\n", mr / br, bc > 0 ? sprintf("%.2f", mc / bc) : "n/a (bare 0 ticks)", mw / bw}'
