#!/usr/bin/env bash
# Announcements in the real program, built to fetch from a local server:
# the first run installs the server's movie and the strip plays it; with
# the server gone, one "Error connecting!" and nothing else.
set -euo pipefail
exe=$2          # the program that fetches from $MUREL_E2E_PUBLISHER
server_exe=$3
make_swf=$4
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
# The web engine cannot sandbox itself when the tests run as root.
export QTWEBENGINE_DISABLE_SANDBOX=1

srv=$scratch/server
mkdir -p "$srv"
"$make_swf" "$srv/me.swf" compressed
printf 'announcement 1\r\n' >"$srv/me.txt"
start_server "$srv"
export MUREL_E2E_PUBLISHER=$server_url

data=$scratch/first
mkdir -p "$data"
start_murel "$data"
pid=$started
wait_until 10 has_role "$pid" murel-main || fail "main window did not appear"

installed() { cmp -s "$srv/me.swf" "$data/murel/1.swf" && cmp -s "$srv/me.txt" "$data/murel/text7.txt"; }
wait_until 15 installed || fail "the movie was not installed"

# The strip (16, 256, 281 x 54 in the client area, below a 24-pixel menu
# bar) shows the movie's dark blue stage with its red square.
strip_plays() {
  local w
  w=$(role_window "$pid" murel-main)
  # Without a window id, import would wait for someone to pick one.
  [ -n "$w" ] || return 1
  timeout 10 import -window "$w" -crop 281x54+16+280 +repage "$scratch/strip.png" 2>/dev/null || return 1
  local blue red
  blue=$(convert "$scratch/strip.png" -fill black +opaque 'rgb(16,32,96)' -fill white -opaque 'rgb(16,32,96)' -format '%[fx:mean]' info:)
  red=$(convert "$scratch/strip.png" -fuzz 10% -fill black +opaque 'rgb(255,0,0)' -fill white -fuzz 10% -opaque 'rgb(255,0,0)' -format '%[fx:mean]' info:)
  awk -v b="$blue" -v r="$red" 'BEGIN { exit !(b > 0.5 && r > 0.02) }'
}
wait_until 40 strip_plays || fail "the strip does not play the movie"
main=$(role_window "$pid" murel-main)
[ -z "$main" ] || timeout 10 import -window "$main" "$(dirname "$exe")/e2e-playing.png" || true

# Server gone: one message for the text download, nothing else.
kill -- "-$server" 2>/dev/null || kill "$server"
wait "$server" 2>/dev/null || true
down=$scratch/down
mkdir -p "$down"
start_murel "$down"
second=$started
message() { message_box "$second"; }
shown() { [ -n "$(message)" ]; }
wait_until 15 shown || fail "no Error connecting! message"
first=$(message)
answer_box "$first" || fail "the message did not close"
another() { local m; m=$(message); [ -n "$m" ] && [ "$m" != "$first" ]; }
if wait_until 2 another; then
  fail "a second message appeared"
fi
[ ! -e "$down/murel/1.swf" ] || fail "a movie was installed without a server"
echo PASS
