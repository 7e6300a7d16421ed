# Helpers for the end-to-end scripts: each runs the real program under its
# own X server with a scratch data folder. Windows are found by process and
# role (the program names its windows with WM_WINDOW_ROLE; message boxes are
# the dialogs without one), never by their titles, which several share.
# Every wait is bounded, and no tool is ever called without a window id.

# Re-runs the calling script inside Xvfb when there is no display yet.
ensure_display() {
  if [ -z "${MUREL_E2E_XVFB:-}" ]; then
    export MUREL_E2E_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
  fi
}

# Re-runs the calling script on a session bus of its own, where the
# accessibility bus is started on demand: what the program tells screen
# readers stays inside the test. The accessibility bus puts its socket in
# the runtime folder (or in ~/.cache without one), so each run gets a
# runtime folder of its own: tests at the same time would otherwise share
# one socket, and the first to end would take it from the others.
ensure_session_bus() {
  if [ -z "${MUREL_E2E_BUS:-}" ]; then
    export MUREL_E2E_BUS=1
    exec sh -c 'runtime=$(mktemp -d) && XDG_RUNTIME_DIR=$runtime dbus-run-session -- "$@"; status=$?
      rm -rf "$runtime"; exit $status' sh "$0" "$@"
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

# pid_windows PID: the program's mapped windows.
pid_windows() {
  timeout 5 xdotool search --all --onlyvisible --pid "$1" 2>/dev/null || true
}

# role_window PID ROLE: the program's mapped window of that role (murel-main,
# murel-card, murel-settings, murel-backgrounds, murel-info), if any.
role_window() {
  local w
  for w in $(pid_windows "$1"); do
    if timeout 5 xprop -id "$w" WM_WINDOW_ROLE 2>/dev/null | grep -qx "WM_WINDOW_ROLE(STRING) = \"$2\""; then
      echo "$w"
      return 0
    fi
  done
  return 0
}
has_role() { [ -n "$(role_window "$@")" ]; }
no_role() { [ -z "$(role_window "$@")" ]; }

# message_box PID: a mapped message box of the program, if any.
message_box() {
  local w props
  for w in $(pid_windows "$1"); do
    props=$(timeout 5 xprop -id "$w" _NET_WM_WINDOW_TYPE WM_WINDOW_ROLE 2>/dev/null) || continue
    case "$props" in
      *murel-*) ;;
      *_NET_WM_WINDOW_TYPE_DIALOG*) echo "$w"; return 0 ;;
    esac
  done
  return 0
}
has_message_box() { [ -n "$(message_box "$1")" ]; }

# start_tray: a notification-area host, as a desktop would have one.
start_tray() {
  trayer --edge top --align right --widthtype pixel --width 160 --height 24 \
    --transparent false >/dev/null 2>&1 &
  pids+=("$!")
  wait_until 10 bash -c '[ -n "$(xdotool search --onlyvisible --name "^panel$" 2>/dev/null)" ]' \
    || fail "tray host did not start"
}

# answer_box WINDOW: presses Enter in a message box until it has gone.
answer_box() {
  [ -n "$1" ] || return 1
  local tries
  for tries in $(seq 1 40); do
    timeout 5 xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
    timeout 5 xdotool windowfocus "$1" 2>/dev/null || true
    timeout 5 xdotool key Return 2>/dev/null || true
    sleep 0.1
  done
  return 1
}

alive() {
  kill -0 "$1" 2>/dev/null
}
gone() {
  ! kill -0 "$1" 2>/dev/null
}

# A scratch windir removed on exit, with every program started here killed.
scratch=$(mktemp -d)
pids=()
# ours PID: still the program started here, or gone with only its process
# group left. Once a program has ended and been reaped, the system may give
# its number to another process, anyone's (numbers wrap at 32768): that one
# is not ours to end. A number still naming a group cannot be reused.
ours() {
  local parent
  # The parent's number follows the state after the parenthesised name.
  parent=$(sed 's/.*) [A-Za-z] //; s/ .*//' "/proc/$1/stat" 2>/dev/null) || true
  [ -z "$parent" ] || [ "$parent" = "$BASHPID" ]
}
cleanup() {
  # Each program runs in a process group of its own, with whatever helper
  # processes it started; the whole group goes.
  for p in "${pids[@]}"; do
    ours "$p" && { kill -- "-$p" 2>/dev/null || kill "$p" 2>/dev/null; } || true
  done
  sleep 0.2
  for p in "${pids[@]}"; do ours "$p" && kill -KILL -- "-$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# start_murel WINDIR: starts the program in the background; PID in $started.
start_murel() {
  windir=$1 setsid "$exe" >"$scratch/murel-$RANDOM.log" 2>&1 </dev/null &
  started=$!
  pids+=("$started")
}

# start_desktop WxH: an X server of its own, a window manager, no panel yet.
start_desktop() {
  local fd_file=$scratch/display-$RANDOM
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
  pids+=("$!")
  wait_until 10 test -s "$fd_file" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  openbox --sm-disable --config-file /dev/null >/dev/null 2>&1 &
  pids+=("$!")
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  wait_until 10 wm_ready || fail "openbox did not start"
}

# start_server FOLDER: the local announcement server on a free port; its
# address in $server_url, its process in $server.
start_server() {
  local out=$scratch/server-$RANDOM.out
  setsid "$server_exe" 0 "$1" >"$out" 2>&1 </dev/null &
  server=$!
  pids+=("$server")
  wait_until 10 grep -q '^ready [0-9]' "$out" || fail "announcement server did not start"
  server_url="http://127.0.0.1:$(awk '/^ready/ {print $2; exit}' "$out")"
}

now_ms() {
  echo $(( $(date +%s%N) / 1000000 ))
}

# geometry WINDOW: "X Y WIDTH HEIGHT" of a mapped window.
geometry() {
  [ -n "$1" ] || return 1
  timeout 5 xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
    END {print x, y, w, h}'
}

# strip_shows_movie WINDOW: the main window's announcement strip (16, 256,
# 281 x 54 in the client area, below a 24-pixel menu bar) shows the test
# movie: its dark blue stage with a red square.
strip_shows_movie() {
  # Without a window id, import would wait for someone to pick one.
  [ -n "$1" ] || return 1
  timeout 10 import -window "$1" -crop 281x54+16+280 +repage "$scratch/strip.png" 2>/dev/null || return 1
  local blue red
  blue=$(convert "$scratch/strip.png" -fill black +opaque 'rgb(16,32,96)' -fill white -opaque 'rgb(16,32,96)' -format '%[fx:mean]' info:)
  red=$(convert "$scratch/strip.png" -fuzz 10% -fill black +opaque 'rgb(255,0,0)' -fill white -fuzz 10% -opaque 'rgb(255,0,0)' -format '%[fx:mean]' info:)
  awk -v b="$blue" -v r="$red" 'BEGIN { exit !(b > 0.5 && r > 0.02) }'
}
