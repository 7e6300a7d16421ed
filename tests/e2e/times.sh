#!/usr/bin/env bash
# A reminder at a set time of day on a desktop with openbox: an entry due at
# the next whole minute, with three texts, brings them as three cards one
# after another in the entry's order, each counted on the card for screen
# readers ("١ من ٣" ...), none before its time, and the day is marked in
# times.ini so that it does not come again today. The interval runs every
# 59 minutes meanwhile, so only its opening card can come besides.
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
ensure_session_bus "$@"
start_desktop 1280x800

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
heard=$scratch/heard
setsid /usr/bin/python3 "$here/../tools/atspi-listen.py" 150 >"$heard" 2>"$scratch/listener.err" </dev/null &
pids+=("$!")
wait_until 20 grep -qsx ready "$heard" || fail "accessibility listener did not start: $(cat "$scratch/listener.err")"

# The next whole minute, at least five seconds away so that the program is
# up before it; the test waits at most 65 seconds for it.
[ "$(date +%S | sed 's/^0//')" -lt 55 ] || sleep 6
due=$(date -d '+1 minute' +%H:%M)
today=$(date +%Y-%m-%d)

data=$scratch/times
mkdir -p "$data/murel"
# Every 59 minutes, each card shown for 3 seconds.
printf '"1","MS Sans Serif","0","59","3",#FALSE#,#TRUE#,#FALSE#\r\n' >"$data/murel/background.txt"
cat >"$data/murel/times.ini" <<INI
grace-minutes=120

[entry]
name=اختبار
time=$due
enabled=true
text=6
text=0
text=3
INI
start_murel "$data"
pid=$started

catalogue=$here/../../core/texts/catalogue.txt
text_of() { sed -n "$(($1 + 1))p" "$catalogue"; }
# The cards that said they stand in a sequence: "<name>\t<count>" in order.
counted() {
  awk -F'\t' -v p="$pid" '$1 == p && $2 == "notification" && $4 ~ / من ٣$/ {
    n = split($4, w, " "); print $3 "\t" w[n - 2] " " w[n - 1] " " w[n] }' "$heard"
}
counted_cards() { [ "$(counted | wc -l)" -ge "$1" ]; }

# Nothing of the sequence before its time.
sleep 2
[ "$(counted | wc -l)" -eq 0 ] || fail "a counted card came before $due: $(counted)"
[ "$(date +%H:%M)" != "$due" ] || fail "the test was too slow to see the time before $due"

wait_until 75 counted_cards 1 || fail "no card of the sequence by $due: $(cat "$heard")"
[ "$(date +%H:%M)" = "$due" ] || fail "the sequence came at $(date +%H:%M), not $due"
wait_until 20 counted_cards 3 || fail "the sequence did not bring three cards: $(counted)"
expected=$(printf '%s\t١ من ٣\n%s\t٢ من ٣\n%s\t٣ من ٣\n' "$(text_of 6)" "$(text_of 0)" "$(text_of 3)")
[ "$(counted)" = "$expected" ] || fail "the cards came as
$(counted)
instead of
$expected"

# The last card goes by itself, and the day is marked.
no_card() { [ -z "$(role_window "$pid" murel-card)" ]; }
wait_until 10 no_card || fail "the last card did not go"
grep -qx "last-shown=$today" "$data/murel/times.ini" || fail "times.ini does not mark today: $(cat "$data/murel/times.ini")"
[ "$(counted | wc -l)" -eq 3 ] || fail "more than three counted cards: $(counted)"
alive "$pid" || fail "program ended"
echo PASS
