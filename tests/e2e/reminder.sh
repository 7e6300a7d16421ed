#!/usr/bin/env bash
# The reminder cycle of the real program: with a saved record (seconds,
# every 5, shown for 3) it starts hidden, a card slides up at the
# bottom-right, goes, and comes back about five seconds after it went; the
# "X" closes it at once; a refused second copy shows no card. Each card is
# announced to screen readers as a notification carrying its text.
set -euo pipefail
exe=$1
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
ensure_session_bus "$@"
start_tray

# A screen reader's ear on the accessibility bus; the program publishes
# there without one running.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
heard=$scratch/heard
setsid /usr/bin/python3 "$(dirname "$0")/../tools/atspi-listen.py" 120 >"$heard" 2>"$scratch/listener.err" </dev/null &
pids+=("$!")
wait_until 20 grep -qsx ready "$heard" || fail "accessibility listener did not start: $(cat "$scratch/listener.err")"

read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1], d[2]}')
# Card: 3555 twips wide, 100 from the right, bottom 500 above the screen's.
want_x=$(( (screen_w * 15 - 3655 + 7) / 15 ))
want_bottom=$(( (screen_h * 15 - 500 + 7) / 15 ))

data=$scratch/cycle
mkdir -p "$data/murel"
printf '"1","MS Sans Serif","0","5","3",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
start_murel "$data"
pid=$started

card() { role_window "$pid" murel-card; }
card_full() {
  local w
  w=$(card)
  [ -n "$w" ] && [ "$(geometry "$w")" = "$want_x $((want_bottom - 187)) 237 187" ]
}
no_card() { [ -z "$(card)" ]; }

# The run opens with a card, grown to full size at the bottom-right.
wait_until 10 card_full || fail "first card did not reach 237 x 187 at $want_x,$((want_bottom - 187)): $(geometry "$(card)" 2>/dev/null)"
no_role "$pid" murel-main || fail "main window shown although an interval was saved"

# It goes by itself after its three seconds.
wait_until 10 no_card || fail "card did not go away"
gone=$(now_ms)

# And comes back one interval later.
wait_until 12 card_full || fail "no second card"
back=$(now_ms)
gap=$((back - gone))
[ $gap -ge 4000 ] && [ $gap -le 7500 ] || fail "second card came ${gap} ms after the first went (expected about 5 s)"

# The X closes the card at once. It is clicked on a card that has just
# come up (this second one first), within a second, so the card cannot go
# by itself first (it stays three); a click that came later does not count
# and the next card is tried.
closed=
up=$back
for try in 1 2 3; do
  if [ "$try" -gt 1 ]; then
    wait_until 10 no_card || fail "card did not go away"
    wait_until 12 card_full || fail "no card to close"
    up=$(now_ms)
  fi
  read -r cx cy _ < <(geometry "$(card)") || continue
  xdotool mousemove $((cx + 8)) $((cy + 8)) click 1
  clicked=$(now_ms)
  [ $((clicked - up)) -lt 1000 ] || continue
  wait_until 2 no_card || fail "X did not close the card"
  [ $(( $(now_ms) - clicked )) -lt 1000 ] || fail "X took more than a second"
  closed=1
  break
done
[ -n "$closed" ] || fail "no card could be clicked within a second of coming up"

# A refused second copy shows its message, and no card.
start_murel "$data"
second=$started
wait_until 10 has_message_box "$second" || fail "no refusal from the second copy"
no_role "$second" murel-card || fail "the refused copy showed a card"
answer_box "$(message_box "$second")" || fail "refusal message did not close"
wait_until 10 gone "$second" || fail "refused copy did not end"

alive "$pid" || fail "program ended"

# The cards were heard as notifications named by the text they showed.
announced() { awk -F'\t' -v p="$pid" '$1 == p && $2 == "notification"' "$heard"; }
has_announcement() { [ -n "$(announced)" ]; }
wait_until 5 has_announcement || fail "no card was announced on the accessibility bus: $(cat "$heard" "$scratch/listener.err")"
catalogue=$(dirname "$0")/../../core/texts/catalogue.txt
while IFS=$'\t' read -r _ _ name shown; do
  [ -n "$name" ] || fail "a card was announced without its text"
  [ "$name" = "$shown" ] || fail "announced '$name' but the card showed '$shown'"
  grep -qxF -- "$name" "$catalogue" || fail "announced '$name', which is no catalogue text"
done < <(announced)
echo PASS
