#!/usr/bin/env bash
# The user's own texts through the real windows: settings, the texts
# window, a text of the user's typed and added, every built-in switched off
# but the first two (all selected and switched with the space bar, then two
# back on), each text once before any repeats, OK. After a restart the
# cards show those three texts and nothing else, each once in the first
# three cards, as a screen reader hears them. On the way, a screen reader
# hears every switch: Space on a built-in and on the user's text, and the
# rows "استعادة الأصل" and "تشغيل الكل" switch back on.
set -euo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
ensure_session_bus "$@"
start_desktop 1280x800
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

data=$scratch/texts
mkdir -p "$data/murel"
# What a screen reader hears of the switches, listening from the start.
switches=$scratch/switches
setsid /usr/bin/python3 "$here/../tools/atspi-listen.py" 150 --checked >"$switches" 2>"$scratch/switches.err" </dev/null &
pids+=("$!")
wait_until 20 grep -qsx ready "$switches" || fail "accessibility listener did not start: $(cat "$scratch/switches.err")"
start_murel "$data"
pid=$started
wait_until 10 has_role "$pid" murel-main || fail "main window did not appear"
read -r wx wy _ < <(geometry "$(role_window "$pid" murel-main)")
menu_open() { [ "$(pid_windows "$pid" | wc -l)" -gt 1 ]; }
xdotool mousemove $((wx + 252)) $((wy + 11)) click 1
wait_until 5 menu_open || fail "options menu did not open"
xdotool key Down Return
wait_until 5 has_role "$pid" murel-settings || fail "settings dialog did not open"
read -r sx sy _ < <(geometry "$(role_window "$pid" murel-settings)")
xdotool mousemove $((sx + 64)) $((sy + 268)) click 1     # اختيار النصوص
wait_until 5 has_role "$pid" murel-texts || fail "texts window did not open"

# click_named NAME [DX]: clicks the part a screen reader knows by NAME, at
# its middle or DX pixels in from its left edge.
# A window just mapped reaches the accessibility bus a moment later.
where_named() { timeout 10 /usr/bin/python3 "$here/../tools/atspi-where.py" "$pid" "$1" >"$scratch/where"; }
click_named() {
  wait_until 10 where_named "$1" || fail "no part named '$1'"
  read -r x y w h <"$scratch/where"
  xdotool mousemove $((x + ${2:-$((w / 2))})) $((y + h / 2)) click 1
  sleep 0.3
}
own="My own reminder to remember"
click_named "نص جديد أو معدَّل"
xdotool type --delay 20 "$own"
click_named "إضافة"

# heard NAME STATE: a row of the program named NAME (its ends' blanks
# aside) was heard switched on (1) or off (0).
heard() {
  awk -F'\t' -v p="$pid" -v n="$1" -v s="$2" '
    $1 == p && $2 == "checked" && $4 == s { gsub(/^ +| +$/, "", $3); if ($3 == n) found = 1 }
    END { exit !found }' "$switches"
}
catalogue=$here/../../core/texts/catalogue.txt
first=$(sed -n '1{s/^ *//;s/ *$//;p}' "$catalogue")
second=$(sed -n '2{s/^ *//;s/ *$//;p}' "$catalogue")
# In the lists away from the switches, which are at the right.
click_named "النصوص المرفقة بالبرنامج" 30
xdotool key Home space
wait_until 5 heard "$first" 0 || fail "Space on a built-in was not heard: $(cat "$switches")"
click_named "استعادة الأصل"
wait_until 5 heard "$first" 1 || fail "restoring the built-ins was not heard: $(cat "$switches")"
click_named "نصوصك" 30
xdotool key Home space
wait_until 5 heard "$own" 0 || fail "Space on the user's text was not heard: $(cat "$switches")"
click_named "تشغيل الكل"
wait_until 5 heard "$own" 1 || fail "switching all on was not heard: $(cat "$switches")"

click_named "النصوص المرفقة بالبرنامج" 30
xdotool key ctrl+a space Home space Down space
wait_until 5 heard "$second" 1 || fail "Space on the second built-in was not heard: $(cat "$switches")"
click_named "كل نص مرة قبل أي تكرار"
click_named "موافق"
texts_gone() { ! has_role "$pid" murel-texts; }
wait_until 5 texts_gone || fail "texts window did not close"
file=$data/murel/texts.ini
grep -qx "own=$own" "$file" || fail "the text was not kept: $(cat "$file" 2>/dev/null)"
grep -qx "off=$(seq -s, 2 127)" "$file" || fail "not every built-in but two was switched off: $(cat "$file")"
grep -qx "order=each-once" "$file" || fail "the order was not kept: $(cat "$file")"
kill -TERM "$pid"
wait_until 10 gone "$pid" || fail "the program did not end on TERM"

# Every second, shown for three.
printf '"1","MS Sans Serif","0","1","3",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
heard=$scratch/heard
setsid /usr/bin/python3 "$here/../tools/atspi-listen.py" 90 >"$heard" 2>"$scratch/listener.err" </dev/null &
pids+=("$!")
wait_until 20 grep -qsx ready "$heard" || fail "accessibility listener did not start: $(cat "$scratch/listener.err")"
start_murel "$data"
pid=$started
announced() { awk -F'\t' -v p="$pid" '$1 == p && $2 == "notification" {print $3}' "$heard"; }
four_cards() { [ "$(announced | wc -l)" -ge 4 ]; }
wait_until 60 four_cards || fail "fewer than four cards were heard: $(announced)"
want=$(printf '%s\n' "$own" "$(sed -n 1p "$catalogue")" "$(sed -n 2p "$catalogue")" | sort)
[ "$(announced | head -3 | sort)" = "$want" ] || fail "the first three cards were not the three texts once each: $(announced)"
while IFS= read -r name; do
  grep -qxF -- "$name" <<<"$want" || fail "a card showed '$name', which is switched off"
done < <(announced)
echo PASS
