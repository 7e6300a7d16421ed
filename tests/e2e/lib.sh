# Helpers for the end-to-end scripts: each runs the real program under its
# own Xvfb server with a scratch data folder.

# Re-runs the calling script inside Xvfb when there is no display yet.
ensure_display() {
  if [ -z "${MUREL_E2E_XVFB:-}" ]; then
    export MUREL_E2E_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
  fi
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND every 50 ms.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
}

# visible_window NAME-PATTERN [PID]: id of a mapped window, if any.
visible_window() {
  if [ -n "${2:-}" ]; then
    xdotool search --all --onlyvisible --pid "$2" --name "$1" 2>/dev/null | head -n1
  else
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
  fi
}

has_visible_window() {
  [ -n "$(visible_window "$@")" ]
}

# start_tray: a notification-area host, as a desktop would have one.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 160 --height 24 \
    --transparent false >/dev/null 2>&1 &
  pids+=("$!")
  wait_until 10 has_visible_window '^panel$' || fail "tray host did not start"
}

# answer_box WINDOW: presses Enter in a message box until it has gone.
answer_box() {
  local tries
  for tries in $(seq 1 40); do
    xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    xdotool windowfocus "$1" 2>/dev/null || true
    xdotool key Return 2>/dev/null || true
    sleep 0.1
  done
  return 1
}

alive() {
  kill -0 "$1" 2>/dev/null
}

# A scratch windir removed on exit, with every program started here killed.
scratch=$(mktemp -d)
pids=()
cleanup() {
  # Each program runs in a process group of its own, with whatever helper
  # processes it started; the whole group goes.
  for p in "${pids[@]}"; do kill -- "-$p" 2>/dev/null || kill "$p" 2>/dev/null || true; done
  sleep 0.2
  for p in "${pids[@]}"; do kill -KILL -- "-$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# start_murel WINDIR: starts the program in the background; PID in $started.
start_murel() {
  windir=$1 setsid "$exe" >"$scratch/murel-$RANDOM.log" 2>&1 </dev/null &
  started=$!
  pids+=("$started")
}

now_ms() {
  echo $(( $(date +%s%N) / 1000000 ))
}

# geometry WINDOW: "X Y WIDTH HEIGHT" of a mapped window.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x, y, w, h}'
}
