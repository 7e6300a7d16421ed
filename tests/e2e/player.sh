#!/usr/bin/env bash
# The movie player of the real program, a process of its own: it runs only
# while the main window shows a movie, inside the strip (no window of its
# own on the desktop, never the focus); hiding the window ends it and all it
# started; a player killed or stuck brings the banner back and is started
# again while reminders go on; a movie it cannot play keeps the banner and
# is not tried again until the file changes.
set -euo pipefail
exe=$1
make_swf=$4
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
# The web engine cannot sandbox itself when the tests run as root.
export QTWEBENGINE_DISABLE_SANDBOX=1
start_tray
# The web engine lives in the player program only.
if ldd "$exe" | grep -qi webengine; then
  fail "murel links the web engine"
fi

tray_icon() {
  local w
  for w in $(pid_windows "$1"); do
    [ "$(geometry "$w" | cut -d' ' -f3-)" = "22 22" ] && { echo "$w"; return; }
  done
  return 0
}
has_icon() { [ -n "$(tray_icon "$1")" ]; }
click_icon() { xdotool mousemove --window "$(tray_icon "$1")" 10 10 click 1; }
players() { pgrep -P "$1" -x murel-player || true; }
has_player() { [ -n "$(players "$1")" ]; }
no_player() { [ -z "$(players "$1")" ]; }
# other_player PID OLD: a player of PID's other than OLD (which may linger
# a moment as a zombie); its id in $found.
other_player() { found=$(players "$1" | grep -vx "$2" | head -n1); [ -n "$found" ]; }
group_gone() { ! pgrep -g "$1" >/dev/null; }
# The strip (16, 256, 281 x 54 in the client area, below a 24-pixel menu
# bar) shows the test movie's dark blue stage with its red square.
strip_plays() {
  local w blue red
  w=$(role_window "$1" murel-main)
  [ -n "$w" ] || return 1
  timeout 10 import -window "$w" -crop 281x54+16+280 +repage "$scratch/strip.png" 2>/dev/null || return 1
  blue=$(convert "$scratch/strip.png" -fill black +opaque 'rgb(16,32,96)' -fill white -opaque 'rgb(16,32,96)' -format '%[fx:mean]' info:)
  red=$(convert "$scratch/strip.png" -fuzz 10% -fill black +opaque 'rgb(255,0,0)' -fill white -fuzz 10% -opaque 'rgb(255,0,0)' -format '%[fx:mean]' info:)
  awk -v b="$blue" -v r="$red" 'BEGIN { exit !(b > 0.5 && r > 0.02) }'
}
banner() { ! strip_plays "$1"; }
card_up() { has_role "$1" murel-card; }
no_card() { no_role "$1" murel-card; }

# A reminder every 3 seconds, shown for 3: the program starts in the tray.
data=$scratch/cycle
mkdir -p "$data/murel"
"$make_swf" "$data/murel/1.swf" compressed
printf '"1","MS Sans Serif","0","3","3",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
start_murel "$data"
pid=$started
wait_until 10 has_icon "$pid" || fail "no tray icon at a hidden start"
sleep 1.5
no_player "$pid" || fail "a player runs while the window is in the tray"

click_icon "$pid"
wait_until 10 has_role "$pid" murel-main || fail "the window did not come back"
wait_until 40 strip_plays "$pid" || fail "the strip does not play the movie"
player=$(players "$pid")
[ -n "$player" ] || fail "no player process"
main=$(role_window "$pid" murel-main)
timeout 10 import -window "$main" "$(dirname "$exe")/e2e-player.png" || true

# The player and every helper it started may hold no more than 512 MiB of
# data each: a movie that wants more ends its player, not the desktop.
for p in $(pgrep -g "$player"); do
  grep -q '^Max data size *536870912 *536870912 ' "/proc/$p/limits" || fail "process $p has no memory cap"
done
[ "$(pgrep -g "$player" | wc -l)" -gt 1 ] || fail "the player started no helper processes"

# Its window is a child of the strip: nothing of it on the desktop.
for w in $(timeout 5 xdotool search --pid "$player" 2>/dev/null); do
  timeout 5 xwininfo -id "$w" -tree | grep -q 'Parent window id: .*(the root window)' \
    && fail "the player has a top-level window $w"
done
# A click on the movie leaves the focus with the main window.
focus=$(xdotool getwindowfocus)
read -r wx wy _ < <(geometry "$main")
xdotool mousemove $((wx + 150)) $((wy + 24 + 280)) click 1
sleep 0.5
[ "$(xdotool getwindowfocus)" = "$focus" ] || fail "the player took the focus"

# Hidden into the tray ("تصغير" on the menu bar): no player, nothing it
# started; shown again: it plays again.
xdotool mousemove $((wx + 168)) $((wy + 11)) click 1
wait_until 5 no_role "$pid" murel-main || fail "تصغير did not hide the window"
wait_until 5 group_gone "$player" || fail "the player or its helpers outlived the hidden window"
wait_until 5 has_icon "$pid" || fail "no tray icon"
click_icon "$pid"
wait_until 40 strip_plays "$pid" || fail "the movie did not play again"

# Killed: the banner at once, the program goes on, a new player plays.
player=$(players "$pid")
kill -KILL "$player"
wait_until 3 banner "$pid" || fail "no banner after the player was killed"
alive "$pid" || fail "the program ended with its player"
wait_until 10 no_card "$pid" || fail "a card stayed up"
wait_until 15 card_up "$pid" || fail "no reminder after the player was killed"
wait_until 40 strip_plays "$pid" || fail "the player was not started again"

# The page frozen (its renderer stopped) while the player's own process
# goes on: the heartbeat stops with the page, and within the hang time the
# program gives up on the player and starts another. The renderer is the
# process the web engine's zygote forked.
player=$(players "$pid")
renderer=$(for p in $(pgrep -g "$player"); do
  parent=$(ps -o ppid= -p "$p" | tr -d ' ')
  if grep -qa -- --type=zygote "/proc/$parent/cmdline" 2>/dev/null; then echo "$p"; fi
done)
[ "$(echo "$renderer" | wc -w)" = 1 ] || fail "no single renderer process: $renderer"
kill -STOP "$renderer"
frozen=$SECONDS
wait_until 40 other_player "$pid" "$player" || fail "a frozen page was not noticed"
echo "frozen page noticed after $((SECONDS - frozen)) s"

# Stuck before it plays: the banner stays until the program gives up on it
# and starts another.
stuck=$found
kill -STOP "$stuck"
wait_until 5 group_gone "$player" || fail "the frozen player's processes stayed"
sleep 5
banner "$pid" || fail "a stuck player left no banner"

# The program gives up on a silent player only after half a minute. In the
# meantime, a second copy of the program with a folder of its own, its
# window above the first one's: random bytes for a movie give the banner,
# one try only, until the file changes. It ends before the first copy's
# strip is looked at again.
junk=$scratch/junk
mkdir -p "$junk/murel"
head -c 4096 /dev/urandom >"$junk/murel/1.swf"
start_murel "$junk"
second=$started
wait_until 10 has_role "$second" murel-main || fail "main window did not appear"
wait_until 10 has_player "$second" || fail "no player for the movie"
wait_until 30 no_player "$second" || fail "the player of an unplayable movie stayed"
if wait_until 4 has_player "$second"; then
  fail "an unplayable movie was tried again"
fi
banner "$second" || fail "no banner for an unplayable movie"
"$make_swf" "$junk/murel/1.swf.new" compressed
mv "$junk/murel/1.swf.new" "$junk/murel/1.swf"
wait_until 40 strip_plays "$second" || fail "the changed movie was not played"
kill -- "-$second"
wait_until 10 gone "$second" || fail "the second copy did not end"

# Back to the stuck player.
wait_until 40 gone "$stuck" || fail "the stuck player was not ended"
wait_until 40 strip_plays "$pid" || fail "no player after the stuck one"
kill -- "-$pid"
wait_until 10 gone "$pid" || fail "the program did not end"
echo PASS
