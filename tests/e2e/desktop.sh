#!/usr/bin/env bash
# The real program on a desktop as users run it: openbox with a tint2 panel
# 48 pixels tall at the bottom, and a second desktop of two monitors with
# the primary on the right. The card's corner, its kind (no taskbar entry,
# never the focus), one card at a time, the first run's card, the pointer
# left free while it rests on a button, and every way out ending the
# program within a second with status 0.
set -euo pipefail
exe=$1
grab_exe=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# start_panel: tint2 along the bottom, 48 pixels, with a taskbar and a tray.
start_panel() {
  cat >"$scratch/tint2rc" <<'RC'
panel_items = TS
panel_size = 100% 48
panel_position = bottom center horizontal
panel_layer = top
strut_policy = follow_size
taskbar_mode = single_desktop
systray_icon_size = 24
RC
  tint2 -c "$scratch/tint2rc" >/dev/null 2>&1 &
  pids+=("$!")
  panel_ready() { xprop -root _NET_WORKAREA 2>/dev/null | grep -q '= 0, 0, [0-9]*, 720'; }
  wait_until 10 panel_ready || fail "the panel did not reserve its 48 pixels"
}

record() { # WINDIR INTERVAL DURATION: a saved record, unit seconds
  mkdir -p "$1/murel"
  printf '"1","MS Sans Serif","0","%s","%s",#TRUE#,#FALSE#,#FALSE#\r\n' "$2" "$3" >"$1/murel/background.txt"
}

card_at() { # PID "X Y": the card has grown to full size at that corner
  local w
  w=$(role_window "$1" murel-card)
  [ -n "$w" ] && [ "$(geometry "$w")" = "$2 237 187" ]
}

# ---- Two monitors, the primary on the right, no panel.
start_desktop 2048x768
xrandr --setmonitor left 1024/271x768/203+0+0 none >/dev/null
xrandr --setmonitor '*right' 1024/271x768/203+1024+0 none >/dev/null
data=$scratch/monitors
record "$data" 30 20
start_murel "$data"
pid=$started
wait_until 10 card_at "$pid" "1804 548" || fail "card not at the primary monitor's corner: $(geometry "$(role_window "$pid" murel-card)")"
# A panel that arrives meanwhile: the card moves up out of its way.
start_panel
wait_until 5 card_at "$pid" "1804 533" || fail "card did not make way for the panel: $(geometry "$(role_window "$pid" murel-card)")"
kill -TERM "$pid"
wait_until 2 gone "$pid" || fail "SIGTERM did not end the program"

# ---- One monitor with the panel.
start_desktop 1024x768
start_panel

# The card sits above the panel, outside the taskbar, and never takes the focus.
data=$scratch/panel
record "$data" 30 20
start_murel "$data"
pid=$started
wait_until 10 card_at "$pid" "780 533" || fail "card not above the panel: $(geometry "$(role_window "$pid" murel-card)")"
card=$(role_window "$pid" murel-card)
states=$(xprop -id "$card" _NET_WM_STATE)
case "$states" in *_NET_WM_STATE_SKIP_TASKBAR*_NET_WM_STATE_SKIP_PAGER*_NET_WM_STATE_ABOVE*) ;;
  *) fail "card states: $states" ;; esac
focused=$(xdotool getwindowfocus 2>/dev/null || echo none)
[ "$focused" != "$card" ] || fail "the card took the focus"
kill -TERM "$pid"
wait_until 2 gone "$pid" || fail "SIGTERM did not end the program"

# A card due while a card is up leaves it in place: every second, shown for 5.
data=$scratch/overlap
record "$data" 1 5
start_murel "$data"
pid=$started
wait_until 10 card_at "$pid" "780 533" || fail "no first card"
first=$(role_window "$pid" murel-card)
sleep 2.5
[ "$(role_window "$pid" murel-card)" = "$first" ] || fail "the first card was replaced by a card due meanwhile"
kill -TERM "$pid"
wait_until 2 gone "$pid" || fail "SIGTERM did not end the program"

# A first run's first card has no duration yet: it stays until its X.
data=$scratch/firstrun
mkdir -p "$data"
start_murel "$data"
pid=$started
wait_until 10 card_at "$pid" "780 533" || fail "no first card on a first run"
sleep 3
card_at "$pid" "780 533" || fail "the first run's card did not stay"
read -r cx cy _ < <(geometry "$(role_window "$pid" murel-card)")
xdotool mousemove $((cx + 8)) $((cy + 8)) click 1
wait_until 2 no_role "$pid" murel-card || fail "X did not close the first run's card"

# The pointer resting on a painted button leaves it free for others.
wait_until 10 has_role "$pid" murel-main || fail "no main window on a first run"
read -r wx wy _ < <(geometry "$(role_window "$pid" murel-main)")
menu=24
xdotool mousemove $((wx + 240)) $((wy + menu + 220))   # Start
sleep 0.3
xdotool mousemove $((wx + 242)) $((wy + menu + 221))
sleep 0.3
"$grab_exe" >/dev/null || fail "another client could not grab the pointer while it rested on Start"

# Typing into another window while cards come and go loses no keystroke.
xev -geometry 300x200+50+50 -event keyboard >"$scratch/xev.out" 2>&1 &
xev_pid=$!
pids+=("$xev_pid")
# xev names no process on its window; its title is its own.
xev_window() { timeout 5 xdotool search --onlyvisible --name '^Event Tester$' 2>/dev/null | head -n1; }
has_xev() { [ -n "$(xev_window)" ]; }
wait_until 10 has_xev || fail "the typing window did not appear"
typist=$(xev_window)
timeout 5 xdotool windowactivate --sync "$typist" || fail "could not focus the typing window"
data=$scratch/typing
record "$data" 1 3
start_murel "$data"
typing_pid=$started
wait_until 10 has_role "$typing_pid" murel-card || fail "no card while typing"
text=$(printf 'abcdefghij%.0s' $(seq 1 25))
timeout 60 xdotool type --delay 30 "$text"
sleep 0.5
typed=$(grep -c 'KeyPress event' "$scratch/xev.out" || true)
[ "$typed" -eq ${#text} ] || fail "the typing window got $typed of ${#text} keystrokes while cards came and went"
[ "$(xdotool getwindowfocus)" = "$typist" ] || fail "a card took the focus from the typing window"
kill -TERM "$typing_pid" "$xev_pid"
wait_until 2 gone "$typing_pid" || fail "SIGTERM did not end the program"

# ---- Every way out ends the program within a second, with status 0.
ends_quickly() { # PID WHAT: waits for the end, checks the time and the status
  local t0=$2 status=0
  wait_until 3 gone "$1" || fail "$3: the program is still running"
  local took=$(( $(now_ms) - t0 ))
  [ "$took" -le 1000 ] || fail "$3: took $took ms"
  wait "$1" 2>/dev/null || status=$?
  [ "$status" -eq 0 ] || fail "$3: exit status $status"
}
main_of() { role_window "$1" murel-main; }

# The window's close box (the window manager's close request), window shown.
t0=$(now_ms); wmctrl -i -c "$(main_of "$pid")"; ends_quickly "$pid" "$t0" "close box"
[ ! -e "$scratch/firstrun/murel/background.txt" ] || fail "exiting wrote a record"

fresh() { # a first run with its first card closed: the window on screen
  local d=$scratch/exit-$RANDOM
  mkdir -p "$d"
  start_murel "$d"
  pid=$started
  wait_until 10 has_role "$pid" murel-main || fail "no main window"
  read -r wx wy _ < <(geometry "$(main_of "$pid")")
}

# ملف → خروج with the mouse, then with the keyboard.
fresh
xdotool mousemove $((wx + 297)) $((wy + 11)) click 1
menu_up() { [ "$(pid_windows "$pid" | wc -l)" -gt "$1" ]; }
wait_until 5 menu_up 2 || fail "the File menu did not open"
t0=$(now_ms); xdotool key Down Return; ends_quickly "$pid" "$t0" "File, Exit"

# Minimised, then closed by the window manager.
fresh
xdotool windowminimize "$(main_of "$pid")"
sleep 0.5
t0=$(now_ms); wmctrl -i -c "$(xdotool search --pid "$pid" --name 'Murel-' 2>/dev/null | head -n1)"
ends_quickly "$pid" "$t0" "close while minimised"

# A message box open (the key filter's warning), then the close box.
fresh
xdotool mousemove $((wx + 84)) $((wy + menu + 49)) click 1 type a
wait_until 5 has_message_box "$pid" || fail "no warning for a letter"
t0=$(now_ms); wmctrl -i -c "$(main_of "$pid")"; ends_quickly "$pid" "$t0" "close with a message box open"

# The settings dialog open, then the close box; then a signal.
for how in close TERM INT HUP; do
  fresh
  xdotool mousemove $((wx + 297)) $((wy + 11)) click 1
  wait_until 5 menu_up 2 || fail "the File menu did not open"
  xdotool key Left Home Return
  wait_until 5 has_role "$pid" murel-settings || fail "the settings dialog did not open"
  t0=$(now_ms)
  if [ "$how" = close ]; then wmctrl -i -c "$(main_of "$pid")"; else kill -"$how" "$pid"; fi
  ends_quickly "$pid" "$t0" "$how with the settings dialog open"
done

# Hidden in the tray with a card up: the signals again.
for how in TERM INT; do
  data=$scratch/hidden-$how
  record "$data" 30 20
  start_murel "$data"
  pid=$started
  wait_until 10 has_role "$pid" murel-card || fail "no card"
  t0=$(now_ms); kill -"$how" "$pid"; ends_quickly "$pid" "$t0" "$how while hidden with a card up"
done
echo PASS
