#!/usr/bin/env bash
# Start-up of the real program: a first run shows the main window and
# creates the data folders; a saved interval starts it hidden; a second copy
# is refused while the first keeps running, and brings the first one's
# window forward even from the tray, even with a folder at the channel's
# name.
set -euo pipefail
exe=$1
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
start_tray

# First run on an empty windir.
first=$scratch/first
mkdir -p "$first"
start_murel "$first"
one=$started
wait_until 10 has_role "$one" murel-main || fail "main window did not appear"
[ -d "$first/murel/wjk" ] || fail "data folders were not created"
[ ! -e "$first/murel/background.txt" ] || fail "a first run must not write the record"

# A second copy on the same windir is refused with a message and ends.
start_murel "$first"
two=$started
wait_until 10 has_message_box "$two" || fail "second copy showed no refusal"
box=$(message_box "$two")
no_role "$two" murel-main || fail "second copy opened a main window"
no_role "$two" murel-card || fail "second copy showed a card"
answer_box "$box" || fail "refusal message did not close"
wait_until 10 bash -c "! kill -0 $two 2>/dev/null" || fail "second copy did not end after the message"
alive "$one" || fail "the first copy ended too"
has_role "$one" murel-main || fail "the first copy's window went away"

# A saved record with an interval starts hidden.
hidden=$scratch/hidden
mkdir -p "$hidden/murel"
printf '"1","MS Sans Serif","0","10","5",#FALSE#,#TRUE#,#FALSE#\r\n' >"$hidden/murel/background.txt"
start_murel "$hidden"
three=$started
wait_until 10 test -d "$hidden/murel/wjk" || fail "hidden start created no folders"
if wait_until 2 has_role "$three" murel-main; then
  fail "main window shown although an interval was saved"
fi
alive "$three" || fail "hidden start ended"

# Started again on it, the refused copy brings the hidden one's window
# forward, and still says why it ends.
start_murel "$hidden"
four=$started
wait_until 10 has_message_box "$four" || fail "third copy showed no refusal"
wait_until 10 has_role "$three" murel-main || fail "the refusal did not bring the running copy's window back"
answer_box "$(message_box "$four")" || fail "refusal message did not close"
wait_until 10 gone "$four" || fail "refused copy did not end after the message"
alive "$three" || fail "the raised copy ended"

# Copies started together on a folder that cannot be written, each with a
# temporary folder of its own and no session runtime folder, half of them
# through a link to it: exactly one runs, the others say why they end.
touch "$scratch/plain-file"
ln -s "$scratch/plain-file" "$scratch/plain-link"
together=()
for i in 1 2 3 4 5 6; do
  mkdir -p "$scratch/tmp$i"
  spelling=$scratch/plain-file
  [ $((i % 2)) -eq 0 ] && spelling=$scratch/plain-link
  windir=$spelling TMPDIR=$scratch/tmp$i setsid env -u XDG_RUNTIME_DIR "$exe" \
    >"$scratch/together-$i.log" 2>&1 </dev/null &
  together+=("$!")
  pids+=("$!")
done
refused() {
  local p n=0
  for p in "${together[@]}"; do has_message_box "$p" && n=$((n + 1)); done
  [ $n -eq 5 ]
}
wait_until 20 refused || fail "not exactly five of six copies started together were refused"
for p in "${together[@]}"; do
  box=$(message_box "$p")
  [ -z "$box" ] || answer_box "$box" || fail "a refusal did not close"
done
running() {
  local p n=0
  for p in "${together[@]}"; do alive "$p" && n=$((n + 1)); done
  echo $n
}
# Refused copies end once their box is answered (under the sanitizers
# their leak check at exit takes a few seconds); counted afresh each time.
one_running() { [ "$(running)" -eq 1 ]; }
wait_until 30 one_running || fail "$(running) copies run on one folder"

# A relative windir would follow the folder the program starts in: refused
# on the terminal and in a box, with a failing status.
(cd "$scratch" && windir=relative exec setsid "$exe" >"$scratch/relative.log" 2>&1 </dev/null) &
relative=$!
pids+=("$relative")
wait_until 10 has_message_box "$relative" || fail "a relative windir showed no message"
answer_box "$(message_box "$relative")" || fail "the windir message did not close"
status=0
wait "$relative" || status=$?
[ "$status" -ne 0 ] || fail "a refused windir ended with status 0"
grep -q "windir" "$scratch/relative.log" || fail "a refused windir said nothing on the terminal"
[ ! -e "$scratch/relative" ] || fail "a refused windir made a folder"

# A folder put at the channel's name holds up no copy: an empty one goes,
# one with a file in it is kept (and said so once) and the copies meet
# beside it. A request from the command line is taken, and a second copy
# brings the first one's window forward.
runtime=$scratch/runtime
mkdir -m 700 "$runtime"
for kind in empty full; do
  data=$scratch/in-the-way-$kind
  mkdir -p "$data/murel"
  printf '"1","MS Sans Serif","0","10","5",#FALSE#,#TRUE#,#FALSE#\r\n' >"$data/murel/background.txt"
  # The name: the runtime folder and a hash of the data folder's path.
  name=$runtime/murel-$(printf %s "$(realpath -m "$data/murel")" | sha1sum | cut -c1-16).sock
  mkdir "$name"
  [ "$kind" = empty ] || touch "$name/notes.txt"
  XDG_RUNTIME_DIR=$runtime windir=$data setsid "$exe" >"$scratch/in-the-way-$kind.log" 2>&1 </dev/null &
  first=$!
  pids+=("$first")
  listening() { [ -S "$name" ] || [ -S "$name.2" ]; }
  wait_until 10 listening || fail "$kind folder at the channel's name: the running copy does not listen"
  status=0
  XDG_RUNTIME_DIR=$runtime windir=$data timeout 10 "$exe" --show-now 2>"$scratch/show-now.err" || status=$?
  [ "$status" -eq 0 ] || fail "$kind folder at the channel's name: --show-now ended with $status: $(cat "$scratch/show-now.err")"
  XDG_RUNTIME_DIR=$runtime windir=$data setsid "$exe" >/dev/null 2>&1 </dev/null &
  second=$!
  pids+=("$second")
  wait_until 10 has_message_box "$second" || fail "$kind folder at the channel's name: the second copy showed no refusal"
  wait_until 10 has_role "$first" murel-main || fail "$kind folder at the channel's name: the first copy was not brought forward"
  answer_box "$(message_box "$second")" || fail "refusal message did not close"
  wait_until 10 gone "$second" || fail "the refused copy did not end after the message"
  said=$(grep -c 'in the way' "$scratch/in-the-way-$kind.log" || true)
  if [ "$kind" = empty ]; then
    [ -S "$name" ] || fail "an empty folder at the channel's name was not replaced"
    [ "$said" -eq 0 ] || fail "an empty folder at the channel's name was warned about"
  else
    [ -f "$name/notes.txt" ] || fail "a folder with a file at the channel's name was not kept"
    [ "$said" -eq 1 ] || fail "a folder kept at the channel's name was said $said times"
  fi
done
echo "PASS"
