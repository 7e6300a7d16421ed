#!/usr/bin/env bash
# Memory of murel and of its player processes (RSS and PSS from /proc):
# idle in the tray before any movie; shown with the movie playing (and the
# player's CPU over 10 s); 5 s after hiding to the tray; after 20 more
# show/hide cycles. murel runs under /usr/bin/time -v for its peak.
#   bench/memory.sh [BUILD]
set -euo pipefail
build=$(cd "${1:-$(dirname "$0")/../build}" && pwd)
if [ -z "${BENCH_XVFB:-}" ]; then
  export BENCH_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$build"
fi
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work
[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
pids=()
trap 'for p in "${pids[@]}"; do kill -- "-$p" 2>/dev/null || kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

wait_until() { local end=$((SECONDS + $1)); shift; until "$@"; do [ $SECONDS -ge $end ] && return 1; sleep 0.05; done; }
kb() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/smaps_rollup" 2>/dev/null || echo 0; }
# group_kb PGID FIELD: the sum over a process group.
group_kb() { local t=0 p; for p in $(pgrep -g "$1"); do t=$((t + $(kb "$p" "$2"))); done; echo "$t"; }
mb() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
players() { pgrep -P "$murel" -x murel-player || true; }
ticks() { local t=0 p; for p in $(pgrep -g "$1"); do t=$((t + $(awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null || echo 0))); done; echo "$t"; }
report() {
  local line="$1: murel RSS $(mb "$(kb "$murel" Rss)") MB PSS $(mb "$(kb "$murel" Pss)") MB"
  local p; p=$(players)
  if [ -n "$p" ]; then
    line+="; player processes $(pgrep -g "$p" | wc -l), RSS $(mb "$(group_kb "$p" Rss)") MB PSS $(mb "$(group_kb "$p" Pss)") MB"
  else
    line+="; no player process"
  fi
  echo "$line"
}
window() { xdotool search --all --onlyvisible --pid "$murel" 2>/dev/null | while read -r w; do
  xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -q '"murel-main"' && { echo "$w"; break; }; done; }
icon() { xdotool search --all --onlyvisible --pid "$murel" 2>/dev/null | while read -r w; do
  xwininfo -id "$w" 2>/dev/null | grep -q 'Width: 22' && { echo "$w"; break; }; done; }
shown() { [ -n "$(window)" ]; }
hidden() { [ -z "$(window)" ] && [ -n "$(icon)" ]; }
playing() {
  local w; w=$(window); [ -n "$w" ] || return 1
  import -window "$w" -crop 281x54+16+280 +repage "$work/strip.png" 2>/dev/null || return 1
  [ "$(convert "$work/strip.png" -fill black +opaque 'rgb(16,32,96)' -fill white -opaque 'rgb(16,32,96)' -format '%[fx:mean>0.5]' info:)" = 1 ]
}
show() { xdotool mousemove --window "$(icon)" 10 10 click 1; wait_until 10 shown; }
hide() {
  local x y; read -r x y < <(xwininfo -id "$(window)" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x, y}')
  xdotool mousemove $((x + 168)) $((y + 11)) click 1; wait_until 10 hidden
}

trayer --edge top --align right --widthtype pixel --width 160 --height 24 >/dev/null 2>&1 &
pids+=("$!")
sleep 1
# Started hidden with the cycle running (one reminder an hour), no movie yet.
mkdir -p "$work/windir/murel"
printf '"1","MS Sans Serif","0","59","3",#FALSE#,#TRUE#,#FALSE#\r\n' >"$work/windir/murel/background.txt"
windir=$work/windir setsid /usr/bin/time -v "$build/murel" >"$work/murel.log" 2>&1 &
pids+=("$!")
wait_until 10 bash -c "pgrep -P $! -x murel >/dev/null"
murel=$(pgrep -P "$!" -x murel)
wait_until 10 bash -c "[ -n \"\$(xdotool search --all --onlyvisible --pid $murel 2>/dev/null)\" ]"
sleep 8 # the first reminder comes and goes
report "idle in the tray, no movie"

"$build/tests/make-swf" "$work/windir/murel/1.swf" compressed
show
wait_until 40 playing || { echo "the movie did not play" >&2; exit 1; }
sleep 5
report "shown, movie playing"
player=$(players)
before=$(ticks "$player"); sleep 10; after=$(ticks "$player")
echo "player CPU while playing: $(awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.1f", 100 * t / hz / 10}')% of one core"

hide
sleep 5
report "5 s after hiding"
for _ in $(seq 20); do
  show
  wait_until 40 playing || { echo "the movie did not play in a cycle" >&2; exit 1; }
  hide
done
sleep 5
report "after 20 show/hide cycles, 5 s on"
echo "murel's own peak: $(awk '/VmHWM/ {printf "%.1f MB", $2 / 1024}' "/proc/$murel/status")"
kill "$murel"
wait_until 10 bash -c "! kill -0 $murel 2>/dev/null" || true
sleep 0.5
# GNU time reports the largest of murel and the processes it waited for:
# the biggest single player process.
echo "/usr/bin/time -v, largest process of the run: $(grep -o 'Maximum resident set size.*' "$work/murel.log")"
