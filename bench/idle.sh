#!/usr/bin/env bash
# Idle in the tray: murel started hidden with its cycle running (one
# reminder an hour, no publisher, no movie) beside the bare Qt tray program
# with its one-second timer, started hidden too, under one X server and
# tray. After both have settled, prints for each: RSS and PSS, CPU over the
# window (the scheduler's time of all threads) and wake-ups (context switches of all
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
# Per thread: "TID CPU-NANOSECONDS SWITCHES" (the scheduler's own
# accounting, finer than the 10 ms ticks); a thread that ended or began in
# the window is counted by what it did inside it.
threads() { local t; for t in /proc/"$1"/task/*; do
  echo "${t##*/} $(awk '{print $1}' "$t/schedstat" 2>/dev/null || echo 0) $(awk '/ctxt_switches/ {n += $2} END {print n + 0}' "$t/status" 2>/dev/null)"
done; }
# usage FILE-BEFORE FILE-AFTER: "CPU-NANOSECONDS SWITCHES" in between.
usage() { awk 'NR == FNR {c[$1] = $2; s[$1] = $3; next} {cpu += $2 - c[$1]; sw += $3 - s[$1]} END {printf "%.0f %.0f\n", cpu, sw}' "$1" "$2"; }

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
for p in "$murel" "$bare"; do threads "$p" >"$work/$p.before"; done
sleep "$window"
declare -A rss pss cpu wake
for p in "$murel" "$bare"; do
  threads "$p" >"$work/$p.after"
  rss[$p]=$(kb "$p" Rss); pss[$p]=$(kb "$p" Pss)
  read -r cpu[$p] wake[$p] < <(usage "$work/$p.before" "$work/$p.after")
done
line() {
  awk -v n="$1" -v r="${rss[$2]}" -v s="${pss[$2]}" -v c="${cpu[$2]}" -v w="${wake[$2]}" -v t="$window" \
    'BEGIN {printf "%-17s RSS %.1f MB, PSS %.1f MB, CPU %.1f ms (%.4f%% of a core), %.2f wake-ups a second\n", n, r / 1024, s / 1024, c / 1e6, 100 * c / 1e9 / t, w / t}'
}
echo "over $window s:"
line "bare Qt tray app:" "$bare"
line "murel:" "$murel"
awk -v mr="${rss[$murel]}" -v br="${rss[$bare]}" -v mc="${cpu[$murel]}" -v bc="${cpu[$bare]}" -v mw="${wake[$murel]}" -v bw="${wake[$bare]}" \
  'BEGIN {printf "ratios murel/bare: RSS %.2f, CPU %.2f, wake-ups %.2f\n", mr / br, mc / bc, mw / bw}'
