#!/usr/bin/env bash
# The tray of the real program, with a notification-area host running:
# "تصغير" hides the window into the tray; a right click on the icon opens
# the tray menu, whose "تكبير" brings the window back and removes the icon;
# a left click restores without a menu; "خروج" from the tray menu ends the
# program while a reminder card is up. Then the same under a host that
# draws the menu itself from what the icon publishes on the session bus
# (a StatusNotifierItem host): the published menu has the same entries in
# the same order, right to left, and its entries do the same.
set -euo pipefail
exe=$1
sni_host=$6
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
start_tray

# A session bus of this test's own, on a socket in its scratch folder: the
# desktop running the tests (and its tray host) stays out of it. It starts
# nothing on demand.
cat >"$scratch/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$scratch/bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
setsid dbus-daemon --nofork --config-file="$scratch/bus.conf" >/dev/null 2>&1 </dev/null &
pids+=("$!")
wait_until 10 test -S "$scratch/bus" || fail "session bus did not start"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$scratch/bus
# The toolkit's own tray: no desktop's theme in between.
unset QT_QPA_PLATFORMTHEME

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

# Right click: the tray menu, once; its second item (after the separator)
# restores.
before=$(visible_count "$pid")
click_icon "$pid" 3
wait_until 5 more_windows "$pid" "$before" || fail "right click opened no menu"
# It stays open, one window, until an item is chosen.
sleep 0.5
[ "$(visible_count "$pid")" -eq $((before + 1)) ] || fail "right click left $(($(visible_count "$pid") - before)) menus"
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

# A host that draws the menu itself. Copies started before it came stay
# embedded; this one publishes its icon and menu on the bus.
watcher_out=$scratch/watcher.out
setsid "$sni_host" watch >"$watcher_out" 2>&1 </dev/null &
pids+=("$!")
wait_until 10 grep -qx ready "$watcher_out" || fail "the host did not start: $(cat "$watcher_out")"
items() { grep -c '^item ' "$watcher_out" || true; }
more_items() { [ "$(items)" -gt "$1" ]; }
last_item() { awk '/^item / {s = $2} END {print s}' "$watcher_out"; }

published=$scratch/published
mkdir -p "$published/murel"
printf '"1","MS Sans Serif","0","30","20",#TRUE#,#FALSE#,#FALSE#\r\n' >"$published/murel/background.txt"
start_murel "$published"
third=$started
wait_until 10 more_items 0 || fail "hidden start registered no icon with the host"
no_icon "$third" || fail "the icon was embedded although the host draws it"
no_role "$third" murel-main || fail "hidden start showed the main window"
menu=$("$sni_host" menu "$(last_item)") || fail "the published menu could not be read"
expected=$(printf 'direction rtl\nitem خروج\nseparator\nitem تكبير\nseparator\nitem إيقاف مؤقت\nitem متى يظهر التذكير\nitem أوقات الأذكار')
[ "$menu" = "$expected" ] || fail "published menu is: $menu"
# The last item opens the choices of when cards show, from the tray too.
"$sni_host" click "$(last_item)" "متى يظهر التذكير" || fail "متى يظهر التذكير could not be clicked"
wait_until 5 has_role "$third" murel-hold || fail "the hold window did not open from the published menu"
timeout 5 xdotool windowfocus "$(role_window "$third" murel-hold)" key Escape
wait_until 5 no_role "$third" murel-hold || fail "the hold window did not close"
"$sni_host" click "$(last_item)" "تكبير" || fail "تكبير could not be clicked"
wait_until 5 main_shown "$third" || fail "تكبير from the published menu did not bring the window back"

# Put away again, the icon comes back with its menu; خروج ends the program.
read -r tx ty _ < <(geometry "$(role_window "$third" murel-main)")
registered=$(items)
xdotool mousemove $((tx + 168)) $((ty + 11)) click 1
wait_until 5 main_hidden "$third" || fail "تصغير did not hide the window"
wait_until 10 more_items "$registered" || fail "the icon did not come back to the host"
"$sni_host" click "$(last_item)" "خروج" || fail "خروج could not be clicked"
wait_until 5 gone "$third" || fail "خروج from the published menu did not end the program"
alive "$pid" || fail "the other copy ended too"
echo PASS
