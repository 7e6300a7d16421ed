#!/usr/bin/env bash
# A card's sound through a sound server of the test's own (PulseAudio, or
# with MUREL_SOUND_SERVER=pipewire PipeWire with its PulseAudio server and
# its session manager), its socket in the test's runtime folder, a null
# sink, no network: with the chime chosen, a card asked for with --show-now
# makes a playback stream of murel's process appear on the server; while
# another client plays, a card comes without one; with sound off (no
# sound.ini) the sound libraries are never mapped into murel's process.
set -euo pipefail
exe=$1
source "$(dirname "$0")/lib.sh"
server=${MUREL_SOUND_SERVER:-pulseaudio}
# PipeWire's session manager, which links streams to the sink, needs a
# session bus.
[ "$server" = pulseaudio ] || ensure_session_bus "$@"
ensure_display "$@"
tools="pulseaudio pactl pacat"
[ "$server" = pulseaudio ] || tools="pipewire wireplumber pipewire-pulse pactl pacat"
for tool in $tools; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps test)"
done

# The server and its clients meet only in this folder; the cookie and the
# server's state stay in a home of the test's own.
runtime=$scratch/runtime
mkdir -p -m 700 "$runtime/pulse" "$scratch/home"
export XDG_RUNTIME_DIR=$runtime HOME=$scratch/home PULSE_SERVER=unix:$runtime/pulse/native
unset PULSE_COOKIE
if [ "$server" = pulseaudio ]; then
  setsid pulseaudio --daemonize=no -n --use-pid-file=no --exit-idle-time=-1 --disallow-module-loading \
    --load="module-null-sink sink_name=murel_test" \
    --load="module-native-protocol-unix socket=$runtime/pulse/native auth-anonymous=1" \
    --log-target=stderr >"$scratch/pulse.log" 2>&1 </dev/null &
  pids+=("$!")
else
  setsid pipewire >"$scratch/pipewire.log" 2>&1 </dev/null &
  pids+=("$!")
  wait_until 10 test -S "$runtime/pipewire-0" || fail "PipeWire did not start: $(tail -5 "$scratch/pipewire.log")"
  setsid wireplumber >"$scratch/wireplumber.log" 2>&1 </dev/null &
  pids+=("$!")
  setsid pipewire-pulse >"$scratch/pulse.log" 2>&1 </dev/null &
  pids+=("$!")
fi
wait_until 10 timeout 2 pactl info >/dev/null 2>&1 || fail "the sound server did not start: $(tail -5 "$scratch/pulse.log")"
[ "$server" = pulseaudio ] || timeout 5 pactl load-module module-null-sink sink_name=murel_test >/dev/null ||
  fail "no null sink on PipeWire"

# sink_input_pids: application.process.id of every playback stream now.
sink_input_pids() {
  timeout 2 pactl list sink-inputs 2>/dev/null | sed -n 's/^[[:space:]]*application\.process\.id = "\([0-9]*\)"$/\1/p'
}
streams_of() { sink_input_pids | grep -qx "$1"; }
# no_stream_for SECONDS PID: no stream of PID appears for that long.
no_stream_for() {
  local until=$((SECONDS + $1))
  while [ $SECONDS -lt $until ]; do
    streams_of "$2" && return 1
    sleep 0.05
  done
  return 0
}
sound_mapped() { grep -Eq 'libpulse|libcanberra' "/proc/$1/maps"; }

# new_copy NAME [SOUND.INI TEXT]: a data folder with a record (one card an
# hour, each shown for 2 seconds) and the sound's file, and murel on it.
new_copy() {
  data=$scratch/$1
  mkdir -p "$data/murel"
  printf '"1","MS Sans Serif","2","1","2",#TRUE#,#FALSE#,#FALSE#\r\n' >"$data/murel/background.txt"
  [ -z "${2:-}" ] || printf '%s\n' "$2" >"$data/murel/sound.ini"
  start_murel "$data"
  pid=$started
  wait_until 10 bash -c "windir='$data' timeout 5 '$exe' --show-now 2>/dev/null" || fail "$1: --show-now never reached the copy"
}
card() { role_window "$pid" murel-card; }
has_card() { [ -n "$(card)" ]; }
no_card() { [ -z "$(card)" ]; }

# Sound on: the card sounds, as a stream of murel's own.
new_copy chime "sound=chime"
wait_until 5 streams_of "$pid" || fail "no playback stream of murel ($pid) appeared: $(sink_input_pids | tr '\n' ' ')"
wait_until 5 has_card || fail "the card with the sound did not show"
sound_mapped "$pid" || fail "murel played without its sound libraries mapped: the check below would prove nothing"

# Another client plays: the next card comes without a sound.
wait_until 10 no_card || fail "the first card did not go"
wait_until 5 bash -c "! pactl list sink-inputs 2>/dev/null | grep -q 'application.process.id = \"$pid\"'" ||
  fail "murel's stream did not end"
setsid pacat --rate=8000 --channels=1 --format=u8 </dev/urandom >/dev/null 2>&1 &
other=$!
pids+=("$other")
wait_until 5 streams_of "$other" || fail "the other client's stream did not appear"
windir=$data "$exe" --show-now || fail "--show-now was not taken"
wait_until 5 has_card || fail "no card while another client played"
no_stream_for 3 "$pid" || fail "murel played while another client was playing"
kill -- "-$other" 2>/dev/null || kill "$other"
kill -- "-$pid" 2>/dev/null || kill "$pid"
wait_until 5 gone "$pid" || fail "the first copy did not end"

# Sound off: a card, and no sound library in the process.
new_copy silent
wait_until 5 has_card || fail "no card with sound off"
no_stream_for 2 "$pid" || fail "murel played with sound off"
! sound_mapped "$pid" || fail "sound libraries mapped with sound off: $(grep -Eo '/[^ ]*(libpulse|libcanberra)[^ ]*' "/proc/$pid/maps" | sort -u | tr '\n' ' ')"
echo "PASS"
