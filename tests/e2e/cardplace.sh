#!/usr/bin/env bash
# The card where and as large as hold.ini says, on two desktops under
# openbox: one monitor with a 48-pixel panel at the bottom, and two
# monitors side by side with the primary on the right. For each corner and
# size the program starts with the choice in its file, a card is asked for
# from the command line, and the card is measured once it is up; a file
# without the choice keeps the card where it always was.
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# start_panel: tint2 along the bottom, 48 pixels, reserved in the work area.
start_panel() {
  cat >"$scratch/tint2rc" <<'RC'
panel_items = T
panel_size = 100% 48
panel_position = bottom center horizontal
panel_layer = top
strut_policy = follow_size
RC
  tint2 -c "$scratch/tint2rc" >/dev/null 2>&1 &
  pids+=("$!")
  panel_ready() { xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 0, [0-9]*, 720'; }
  wait_until 10 panel_ready || fail "the panel did not reserve its 48 pixels"
}

card_is() { # PID "X Y WIDTH HEIGHT": the card is up, whole, there
  local w
  w=$(role_window "$1" murel-card)
  [ -n "$w" ] && [ "$(geometry "$w")" = "$2" ]
}

# placed NAME CORNER SIZE "X Y WIDTH HEIGHT": with corner and size in
# hold.ini (nothing at all for "-"), the card asked for lands there.
placed() {
  local data=$scratch/$1
  mkdir -p "$data/murel"
  # Every hour, shown for 30 seconds: no card comes unasked meanwhile.
  printf '"1","MS Sans Serif","2","1","30",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
  [ "$2" = - ] || printf 'corner=%s\nsize=%s\n' "$2" "$3" >"$data/murel/hold.ini"
  start_murel "$data"
  local pid=$started
  # The request is refused until the copy listens.
  wait_until 10 env windir="$data" "$exe" --show-now >/dev/null 2>&1 || fail "$1: --show-now was not taken"
  wait_until 5 card_is "$pid" "$4" || fail "$1: card at $(geometry "$(role_window "$pid" murel-card)"), not $4"
  [ "$(role_window "$pid" murel-card | wc -l)" -eq 1 ] || fail "$1: more than one card"
  kill -TERM "$pid"
  wait_until 5 gone "$pid" || fail "$1: SIGTERM did not end the program"
}

# ---- One monitor, a panel at the bottom: 237 x 187 at the normal size,
# 7 px from the side, 33 px from the top or the screen's bottom, and above
# a panel taller than that.
start_desktop 1024x768
start_panel
placed before - - "780 533 237 187"
placed bottom-right bottom-right normal "780 533 237 187"
placed top-left-larger top-left larger "7 33 355 280"
placed bottom-left-small bottom-left small "7 571 190 149"
placed top-right-large top-right large "721 33 296 233"

# ---- Two monitors, the primary (where the card goes) on the right.
start_desktop 2048x768
xrandr --setmonitor left 1024/271x768/203+0+0 none >/dev/null
xrandr --setmonitor '*right' 1024/271x768/203+1024+0 none >/dev/null
placed second-top-left top-left normal "1031 33 237 187"
placed second-bottom-left-larger bottom-left larger "1031 455 355 280"
placed second-top-right-small top-right small "1852 33 190 149"
placed second-bottom-right-large bottom-right large "1745 502 296 233"
echo "PASS"
