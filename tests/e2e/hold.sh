#!/usr/bin/env bash
# Cards that wait for the right moment, on a desktop with openbox and a
# stand-in notification server and screen saver service on a private
# session bus: a full-screen window, the desktop's do-not-disturb and a
# locked screen each hold the due card, and it comes within two seconds of
# the hold's end, one card however long the hold lasted. A pause from the
# command line holds it too, survives in its file and ends with --resume;
# --show-now is not held; with no copy running a request fails. A damaged
# file of these choices gives a message and is kept aside as it was, and
# the next save writes a new one beside it. The window of these choices
# reads to a screen reader as it shows: the monitor box by its caption with
# the chosen screen, each time by its name once with the time it shows.
set -euo pipefail
exe=$1
standin_exe=$7
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
ensure_session_bus "$@"
start_desktop 1280x800

fifo=$scratch/standin.in
mkfifo "$fifo"
exec 3<>"$fifo"
standin_out=$scratch/standin.out
setsid "$standin_exe" <&3 >"$standin_out" 2>&1 &
pids+=("$!")
wait_until 10 grep -qx ready "$standin_out" || fail "the stand-in desktop did not start: $(cat "$standin_out")"
said=1
# desktop COMMAND: tells the stand-in and waits for its answer.
desktop() {
  echo "$1" >&3
  said=$((said + 1))
  wait_until 5 bash -c "[ \$(wc -l <'$standin_out') -ge $said ]" || fail "the stand-in did not take '$1'"
}

data=$scratch/hold
mkdir -p "$data/murel"
# Every 2 seconds, shown for 3.
printf '"1","MS Sans Serif","0","2","3",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
start_murel "$data"
pid=$started
card() { role_window "$pid" murel-card; }
has_card() { [ -n "$(card)" ]; }
no_card() { [ -z "$(card)" ]; }
# stays_without_card SECONDS: no card comes up for that long.
stays_without_card() {
  local until=$((SECONDS + $1))
  while [ $SECONDS -lt $until ]; do
    has_card && return 1
    sleep 0.1
  done
  return 0
}
# held HOW: with the hold on, three intervals pass without a card; once it
# is off the card comes within two seconds, and a single one.
held() {
  wait_until 10 no_card || fail "$1: the card before did not go"
  desktop "$1 1"
  stays_without_card 5 || fail "$1: a card came while held"
  local released=$(now_ms)
  desktop "$1 0"
  wait_until 3 has_card || fail "$1: no card after the hold ended"
  local late=$(( $(now_ms) - released ))
  [ $late -le 2500 ] || fail "$1: the card came $late ms after the hold ended"
  [ "$(role_window "$pid" murel-card | wc -l)" -eq 1 ] || fail "$1: more than one card"
}

wait_until 10 has_card || fail "no card at the start"
held full
held inhibit
held lock

# A pause from the command line: confirmed, kept in its file, and holding.
wait_until 10 no_card || fail "the card before the pause did not go"
windir=$data "$exe" --pause 30m || fail "--pause was not taken"
grep -q '^paused-until=[0-9]' "$data/murel/hold.ini" || fail "the pause was not kept"
stays_without_card 5 || fail "a card came while paused"
# Asked for, a card comes all the same.
windir=$data "$exe" --show-now || fail "--show-now was not taken"
wait_until 3 has_card || fail "--show-now showed no card"
wait_until 10 no_card || fail "the card asked for did not go"
stays_without_card 4 || fail "a card came while paused, after the one asked for"
windir=$data "$exe" --resume || fail "--resume was not taken"
wait_until 3 has_card || fail "no card after --resume"

# Nobody runs on another folder: the request fails with a line.
other=$scratch/nobody
mkdir -p "$other"
set +e
windir=$other "$exe" --resume 2>"$scratch/nobody.err"
status=$?
windir=$other "$exe" --pause soon 2>"$scratch/soon.err"
usage_status=$?
set -e
[ $status -eq 1 ] || fail "--resume with no copy running ended with $status"
[ "$(wc -l <"$scratch/nobody.err")" -eq 1 ] || fail "--resume with no copy running said: $(cat "$scratch/nobody.err")"
[ $usage_status -eq 2 ] && grep -q '^Usage: ' "$scratch/soon.err" || fail "an unknown pause length was not refused with the usage"

# A damaged file of these choices: a message, the file kept aside as it
# was, and a pause then saved in a new file beside it.
damaged=$scratch/damaged
mkdir -p "$damaged/murel"
printf '"1","MS Sans Serif","0","30","20",#TRUE#,#FALSE#,#FALSE#\r\n' >"$damaged/murel/background.txt"
printf 'away=true\naway-minutes=30\nnot a choice\n' >"$damaged/murel/hold.ini"
cp "$damaged/murel/hold.ini" "$scratch/hold.before"
start_murel "$damaged"
third=$started
wait_until 10 has_message_box "$third" || fail "no message for the damaged file"
cmp -s "$damaged/murel/hold.ini.damaged-1" "$scratch/hold.before" || fail "the damaged file was not kept aside as it was"
windir=$damaged "$exe" --pause 1h || fail "--pause was not taken after the damaged file"
grep -q '^paused-until=[0-9]' "$damaged/murel/hold.ini" || fail "the pause was not saved after the damaged file"
cmp -s "$damaged/murel/hold.ini.damaged-1" "$scratch/hold.before" || fail "the save changed the kept file"

# The window of these choices as a screen reader meets it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
reader=$scratch/reader
mkdir -p "$reader/murel"
start_murel "$reader"
fourth=$started
wait_until 10 has_role "$fourth" murel-main || fail "main window did not appear"
read -r wx wy _ < <(geometry "$(role_window "$fourth" murel-main)")
menu_open() { [ "$(pid_windows "$fourth" | wc -l)" -gt 1 ]; }
xdotool mousemove $((wx + 252)) $((wy + 11)) click 1
wait_until 5 menu_open || fail "options menu did not open"
xdotool key Up Up Return # its last item but one (the last opens the times)
wait_until 5 has_role "$fourth" murel-hold || fail "the hold window did not open"
# One line for each choice box and spin box: role, name, what it shows (a
# box's selected item, a spin box's text), a number if it offers one, and
# the labels read before its name other than its group's.
read_controls() {
  timeout 10 /usr/bin/python3 - "$fourth" >"$scratch/controls" 2>"$scratch/controls.err" <<'PY'
import sys
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

pid = int(sys.argv[1])
roles = {Atspi.Role.COMBO_BOX: "combo", Atspi.Role.SPIN_BUTTON: "spin"}


def shown(node):
    if node.get_role() == Atspi.Role.COMBO_BOX:
        items = node.get_child_at_index(0)
        return ",".join(items.get_child_at_index(i).get_name() for i in range(items.get_child_count())
                        if items.get_child_at_index(i).get_state_set().contains(Atspi.StateType.SELECTED))
    if "Text" not in node.get_interfaces():
        return ""
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def labels(node):
    names = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())
                      if relation.get_target(i).get_role() == Atspi.Role.LABEL]
    return ",".join(names)


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    role = node.get_role()
    if role in roles and node.get_state_set().contains(Atspi.StateType.SHOWING):
        number = "number" if "Value" in node.get_interfaces() else "-"
        print("\t".join([roles[role], node.get_name(), shown(node), number, labels(node) or "-"]))
        return
    for i in range(min(node.get_child_count(), 200)):
        walk(node.get_child_at_index(i), depth + 1)


desktop = Atspi.get_desktop(0)
for i in range(desktop.get_child_count()):
    app = desktop.get_child_at_index(i)
    if app is not None and app.get_process_id() == pid:
        walk(app)
PY
  grep -q '^combo' "$scratch/controls"
}
wait_until 20 read_controls || fail "the hold window's controls were not read: $(cat "$scratch/controls.err")"
expect_line() {
  grep -qxF "$1" "$scratch/controls" || fail "a screen reader does not read '$1' but: $(cat "$scratch/controls")"
}
tab=$'\t'
expect_line "combo${tab}يظهر على${tab}الشاشة الرئيسية${tab}-${tab}-"
expect_line "spin${tab}من الساعة${tab}08:00${tab}-${tab}-"
expect_line "spin${tab}إلى الساعة${tab}22:00${tab}-${tab}-"
echo PASS
