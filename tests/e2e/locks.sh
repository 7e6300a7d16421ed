#!/usr/bin/env bash
# The screen locks besides the session's screen saver service: xscreensaver,
# which writes on the root window that it has blanked or locked the screen,
# and logind's LockedHint for the program's session, from a stand-in on a
# system bus of this test's own. Each holds the due card, from the start
# when it is on already, and the card comes within two seconds of its end,
# a single one. The program also follows the stand-in's word of a wake from
# sleep, and runs on after one.
set -euo pipefail
exe=$1
login_exe=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
ensure_session_bus "$@"
start_desktop 1280x800

# ---- The system bus, with logind's session "2" at the path logind gives it.
system_socket=$scratch/system_bus_socket
cat >"$scratch/system.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$system_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
setsid dbus-daemon --config-file="$scratch/system.conf" --nofork --nopidfile >/dev/null 2>&1 </dev/null &
pids+=("$!")
wait_until 10 test -S "$system_socket" || fail "the test's system bus did not start"
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$system_socket

fifo=$scratch/login.in
mkfifo "$fifo"
exec 3<>"$fifo"
login_out=$scratch/login.out
setsid "$login_exe" 2 /org/freedesktop/login1/session/_32 <&3 >"$login_out" 2>&1 &
pids+=("$!")
wait_until 10 grep -qx ready "$login_out" || fail "the stand-in logind did not start: $(cat "$login_out")"
said=1
# tell WORDS...: a line for the stand-in, once it has taken it.
tell() {
  echo "$*" >&3
  said=$((said + 1))
  wait_until 5 bash -c "[ \$(wc -l <'$login_out') -ge $said ]" || fail "the stand-in logind did not take '$*'"
}
# login 1|0: the session's LockedHint.
login() { tell locked "$1"; }

# saver BLANK|LOCK|0|gone: the root window's status as xscreensaver writes
# it (integers: the state's atom or 0, the time it began, one hack number a
# screen), or the property deleted.
atom_number() {
  timeout 5 xprop -root -f _MUREL_TEST_ATOM 32a -set _MUREL_TEST_ATOM "$1"
  timeout 5 xprop -root -notype -f _MUREL_TEST_ATOM 32i _MUREL_TEST_ATOM | sed 's/.*= //'
}
saver() {
  local state=0
  case "$1" in
    gone) timeout 5 xprop -root -remove _SCREENSAVER_STATUS; return ;;
    BLANK | LOCK) state=$(atom_number "$1") ;;
  esac
  timeout 5 xprop -root -f _SCREENSAVER_STATUS 32i -set _SCREENSAVER_STATUS "$state,$(date +%s),3"
}

record() { # WINDIR: a card every 2 seconds, shown for 3
  mkdir -p "$1/murel"
  printf '"1","MS Sans Serif","0","2","3",#TRUE#,#FALSE#,#FALSE#\r\n' >"$1/murel/background.txt"
}
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
# comes_after WHAT COMMAND...: the lock holds the card for three intervals;
# once COMMAND ends it, the card comes within two seconds, and one only.
comes_after() {
  local what=$1
  shift
  stays_without_card 5 || fail "$what: a card came while locked"
  local released
  released=$(now_ms)
  "$@"
  wait_until 3 has_card || fail "$what: no card after the lock ended"
  local late=$(($(now_ms) - released))
  [ $late -le 2500 ] || fail "$what: the card came $late ms after the lock ended"
  [ "$(card | wc -l)" -eq 1 ] || fail "$what: more than one card"
}
# opened_locked WHAT OFF...: a run opens with a card whatever holds it;
# once that one has gone, the lock on from the start holds the next.
opened_locked() {
  local what=$1
  shift
  wait_until 10 has_card || fail "$what: no opening card"
  wait_until 10 no_card || fail "$what: the opening card did not go"
  comes_after "$what" "$@"
}
# held WHAT ON... -- OFF...: the lock comes once the card before has gone.
held() {
  local what=$1 on=()
  shift
  while [ "$1" != -- ]; do on+=("$1"); shift; done
  shift
  wait_until 10 no_card || fail "$what: the card before did not go"
  "${on[@]}"
  comes_after "$what" "$@"
}

# ---- The session named in the environment; xscreensaver locked already.
export XDG_SESSION_ID=2
saver LOCK
data=$scratch/named
record "$data"
start_murel "$data"
pid=$started
opened_locked "locked by the screen saver from the start" saver 0
held "blanked by the screen saver" saver BLANK -- saver gone
held "logind's lock hint" login 1 -- login 0
kill -TERM "$pid"
wait_until 2 gone "$pid" || fail "SIGTERM did not end the program"

# ---- No session in the environment: logind's pick for the program, locked
# from the start.
unset XDG_SESSION_ID
login 1
data=$scratch/picked
record "$data"
start_murel "$data"
pid=$started
opened_locked "logind's lock hint from the start, its session picked by logind" login 0

# ---- A wake from sleep: the program follows logind's PrepareForSleep by a
# match rule of its own connection (whether it then looks at its timed
# reminders is the program's test), and goes on answering after a sleep
# and a wake.
bus() { timeout 5 dbus-send --system --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus "$@"; }
# match_rules PID: the rules the bus holds for that process's connections.
match_rules() {
  local name mine=()
  for name in $(bus org.freedesktop.DBus.ListNames | grep -o '":[0-9.]*"' | tr -d '"'); do
    [ "$(bus org.freedesktop.DBus.GetConnectionUnixProcessID "string:$name" 2>/dev/null | awk '/uint32/ {print $2}')" = "$1" ] &&
      mine+=("$name")
  done
  bus org.freedesktop.DBus.Debug.Stats.GetAllMatchRules | awk -v mine=" ${mine[*]} " '
    /^ *string ":/ { name = $2; gsub(/"/, "", name); next }
    /^ *string "/ && index(mine, " " name " ") { print }'
}
follows_sleep() { match_rules "$pid" | grep -q "member='PrepareForSleep'"; }
wait_until 10 follows_sleep || fail "the program does not follow logind's PrepareForSleep: $(match_rules "$pid")"
tell sleep 1
tell sleep 0
windir=$data timeout 5 "$exe" --show-now || fail "--show-now was not answered after a wake"
alive "$pid" || fail "the program ended at a wake"
echo PASS
