#!/usr/bin/env bash
# Choosing a background through the real windows: settings from the menu,
# the chooser, "خلفية 3", apply, apply; then Start with a 3-second
# interval, and the next card shows picture 3. Then run at logon: ticked
# and applied, it writes the session's entry, and after the program has
# ended and started again the box shows it ticked.
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
ensure_display "$@"
# The session's autostart folder, the scratch one.
export XDG_CONFIG_HOME=$scratch/config
start_tray

data=$scratch/settings
mkdir -p "$data"
start_murel "$data"
pid=$started
wait_until 10 has_role "$pid" murel-main || fail "main window did not appear"
read -r wx wy _ < <(geometry "$(role_window "$pid" murel-main)")
menu=24   # menu bar height above the client area

window_at() { # ROLE: top-left of the program's visible window of that role
  geometry "$(role_window "$pid" "$1")" | cut -d' ' -f1,2
}

# "خيارات" on the menu bar, then its only item.
xdotool mousemove $((wx + 252)) $((wy + 11)) click 1
menu_open() { [ "$(pid_windows "$pid" | wc -l)" -gt 1 ]; }
wait_until 5 menu_open || fail "options menu did not open"
xdotool key Down Return
wait_until 5 has_role "$pid" murel-settings || fail "settings dialog did not open"
read -r sx sy < <(window_at murel-settings)

# "اختيار صورة الخلفية": the dialog makes way for the chooser.
xdotool mousemove $((sx + 208)) $((sy + 268)) click 1
wait_until 5 has_role "$pid" murel-backgrounds || fail "background chooser did not open"
has_role "$pid" murel-settings && fail "settings dialog stayed on screen under the chooser"
read -r cx cy < <(window_at murel-backgrounds)
xdotool mousemove $((cx + 178)) $((cy + 280)) click 1    # خلفية 3
xdotool mousemove $((cx + 212)) $((cy + 364)) click 1    # تطبيق
wait_until 5 has_role "$pid" murel-settings || fail "settings dialog did not come back"
read -r sx sy < <(window_at murel-settings)
xdotool mousemove $((sx + 192)) $((sy + 332)) click 1    # تطبيق
settings_gone() { ! has_role "$pid" murel-settings; }
wait_until 5 settings_gone || fail "settings dialog did not close"

# Interval 3, duration 3, Start.
xdotool mousemove $((wx + 84)) $((wy + menu + 49)) click 1 key End BackSpace BackSpace BackSpace type 3
xdotool mousemove $((wx + 100)) $((wy + menu + 161)) click 1 key End BackSpace BackSpace BackSpace type 3
xdotool mousemove $((wx + 256)) $((wy + menu + 220)) click 1
wait_until 5 test -f "$data/murel/background.txt" || fail "Start wrote no record"
head -c 4 "$data/murel/background.txt" | grep -q '^"3"' || fail "record does not hold background 3: $(cat "$data/murel/background.txt")"

card_full() {
  local w
  w=$(role_window "$pid" murel-card)
  [ -n "$w" ] && [ "$(geometry "$w" | cut -d' ' -f3-)" = "237 187" ]
}
wait_until 15 card_full || fail "no card after Start"
read -r kx ky _ < <(geometry "$(role_window "$pid" murel-card)")
timeout 10 import -window root -crop 210x18+$((kx + 20))+$((ky + 165)) "$scratch/card.png"

# The strip below the text against each picture as the card stretches it.
distance() {
  convert "$here/../../resources/pictures/background-$1.png" -resize '237x187!' -crop 210x18+20+165 +repage "$scratch/want.png"
  { compare -metric RMSE "$scratch/card.png" "$scratch/want.png" null: 2>&1 || true; } | sed -E 's/.*\((.*)\).*/\1/'
}
d3=$(distance 3)
d1=$(distance 1)
awk -v a="$d3" -v b="$d1" 'BEGIN { exit !(a < 0.05 && a < b / 4) }' || fail "card does not show picture 3 (distance $d3, to picture 1 $d1)"

# Run at logon, with a program of its own on a fresh data folder.
kill -TERM "$pid"
wait_until 10 gone "$pid" || fail "the program did not end on TERM"
logon=$scratch/logon
mkdir -p "$logon"
entry=$XDG_CONFIG_HOME/autostart/$(basename "$exe").desktop

open_settings() { # the dialog from the menu bar of the program $pid
  wait_until 10 has_role "$pid" murel-main || fail "main window did not appear"
  read -r wx wy _ < <(geometry "$(role_window "$pid" murel-main)")
  xdotool mousemove $((wx + 252)) $((wy + 11)) click 1
  wait_until 5 menu_open || fail "options menu did not open"
  xdotool key Down Return
  wait_until 5 has_role "$pid" murel-settings || fail "settings dialog did not open"
}
# away: the pointer to a bare spot of the dialog, off the box (hovered, it
# is drawn lighter).
away() { xdotool mousemove $((sx + 10)) $((sy + 312)); }
# box FILE: the check box's square (at the right, the dialog reads right
# to left), once two pictures in a row agree: the dialog has been drawn.
box() {
  local w
  w=$(role_window "$pid" murel-settings)
  [ -n "$w" ] || return 1
  timeout 10 import -window "$w" -crop 24x25+257+48 +repage "$1.a.png" 2>/dev/null || return 1
  sleep 0.2
  timeout 10 import -window "$w" -crop 24x25+257+48 +repage "$1" 2>/dev/null || return 1
  compare -metric AE "$1.a.png" "$1" null: 2>/dev/null
}
same() { compare -metric AE "$1" "$2" null: 2>/dev/null; }

start_murel "$logon"
pid=$started
open_settings
read -r sx sy < <(window_at murel-settings)
away
wait_until 5 box "$scratch/unticked.png" || fail "settings dialog was not drawn"
xdotool mousemove $((sx + 192)) $((sy + 60)) click 1      # التشغيل مع بداية التشغيل
away
ticked() { box "$scratch/ticked.png" && ! same "$scratch/unticked.png" "$scratch/ticked.png"; }
wait_until 5 ticked || fail "the box did not take the tick"
xdotool mousemove $((sx + 192)) $((sy + 332)) click 1    # تطبيق
wait_until 5 settings_gone || fail "settings dialog did not close"
[ -f "$entry" ] || fail "no autostart entry after apply"
grep -qx "TryExec=$(readlink -f "$exe")" "$entry" || fail "the entry does not try this program: $(cat "$entry")"

kill -TERM "$pid"
wait_until 10 gone "$pid" || fail "the program did not end on TERM"
start_murel "$logon"
pid=$started
open_settings
read -r sx sy < <(window_at murel-settings)
away
wait_until 5 box "$scratch/again.png" || fail "settings dialog was not drawn after the restart"
same "$scratch/again.png" "$scratch/ticked.png" || fail "the box is not ticked after the restart"
echo PASS
