#!/usr/bin/env bash
# The tray of the real program, with a notification-area host running:
# "تصغير" hides the window into the tray; a right click on the icon opens
# the tray menu, whose "تكبير" brings the window back and removes the icon;
# a left click restores without a menu; "خروج" from the tray menu ends the
# program while a reminder card is up.
set -euo pipefail
exe=$1
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
start_tray

# The tray icon is the program's small window embedded in the host.
tray_icon() {
  local w
  for w in $(pid_windows "$1"); do
    [ "$(geometry "$w" | cut -d' ' -f3-)" = "22 22" ] && { echo "$w"; return; }
  done
  return 0
}
has_icon() { [ -n "$(tray_icon "$1")" ]; }
click_icon() { # PID BUTTON
  local icon
  icon=$(tray_icon "$1")
  [ -n "$icon" ] || fail "the tray icon went away"
  xdotool mousemove --window "$icon" 10 10 click "$2"
}
no_icon() { [ -z "$(tray_icon "$1")" ]; }
visible_count() { pid_windows "$1" | wc -l; }
more_windows() { [ "$(visible_count "$1")" -gt "$2" ]; }
main_shown() { has_role "$1" murel-main; }
main_hidden() { no_role "$1" murel-main; }

data=$scratch/tray
mkdir -p "$data"
start_murel "$data"
pid=$started
wait_until 10 main_shown "$pid" || fail "main window did not appear"
read -r wx wy _ < <(geometry "$(role_window "$pid" murel-main)")
no_icon "$pid" || fail "tray icon shown while the window is"

# "تصغير" sits on the menu bar, fourth from the right.
xdotool mousemove $((wx + 168)) $((wy + 11)) click 1
wait_until 5 main_hidden "$pid" || fail "تصغير did not hide the window"
wait_until 5 has_icon "$pid" || fail "no tray icon after تصغير"

# Right click: the tray menu; its second item (after the separator) restores.
before=$(visible_count "$pid")
click_icon "$pid" 3
wait_until 5 more_windows "$pid" "$before" || fail "right click opened no menu"
xdotool key Down Down Return
wait_until 5 main_shown "$pid" || fail "تكبير did not bring the window back"
wait_until 5 no_icon "$pid" || fail "tray icon stayed after تكبير"

# A left click restores at once and opens no menu.
xdotool mousemove $((wx + 168)) $((wy + 11)) click 1
wait_until 5 has_icon "$pid" || fail "no tray icon after the second تصغير"
before=$(visible_count "$pid")
click_icon "$pid" 1
wait_until 5 main_shown "$pid" || fail "left click did not restore the window"
# A menu would have appeared with the window; give it the same moment.
if wait_until 1 more_windows "$pid" "$before"; then
  fail "left click opened a menu"
fi

# Hidden start with a card up; "خروج" from the tray ends it all.
cycle=$scratch/cycle
mkdir -p "$cycle/murel"
printf '"1","MS Sans Serif","0","30","20",#TRUE#,#FALSE#,#FALSE#\r\n' >"$cycle/murel/background.txt"
start_murel "$cycle"
second=$started
wait_until 10 has_icon "$second" || fail "hidden start put no icon in the tray"
wait_until 10 has_role "$second" murel-card || fail "no card at start"
before=$(visible_count "$second")
click_icon "$second" 3
wait_until 5 more_windows "$second" "$before" || fail "no tray menu"
xdotool key Down Return
wait_until 5 gone "$second" || fail "خروج from the tray did not end the program"
alive "$pid" || fail "the other copy ended too"
echo PASS
