#!/usr/bin/env bash
# The Windows program as a user gets it, under Wine on a virtual display:
# the installer, run silently, installs for this user alone; the installed
# murel.exe shows its main window; Start writes the record, byte for byte,
# into %APPDATA%\Murel and a card comes up at the bottom right of the work
# area; run at logon round-trips through the user's Run key; --show-now
# reaches the running copy over its pipe; the uninstaller leaves the data.
#   windows.sh SETUP.exe VERSION
# Windows under Wine carry no window role: the main window is the
# program's normal window that the window manager may manage, the card the
# one Wine keeps from it (override-redirect, as a tool window that never
# takes the focus), a message box or the settings its dialog.
set -euo pipefail
setup=$1
version=$2
exe=$setup
source "$(dirname "$0")/lib.sh"
ensure_display "$@"
# MUREL_E2E_SHOTS=folder keeps a picture of the screen at a failure.
fail() {
  [ -n "${MUREL_E2E_SHOTS:-}" ] && timeout 10 import -window root "$MUREL_E2E_SHOTS/windows-failure.png" 2>/dev/null
  echo "FAIL: $*" >&2
  exit 1
}

export WINEPREFIX=$scratch/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
wine=$(command -v wine64 || command -v wine)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
stop_wine() { timeout 30 "$wineserver" -k 2>/dev/null || true; }
trap 'stop_wine; cleanup' EXIT
timeout 120 "$wine" wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
"$wine" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1

# The silent, per-user install: no administrator, nothing under Program Files.
timeout 120 "$wine" "$setup" /S || fail "the installer failed"
profile=$WINEPREFIX/drive_c/users/$(id -un)
installed=$profile/AppData/Local/Programs/Murel
[ -f "$installed/murel.exe" ] || fail "murel.exe is not in the user's Programs folder"
! ls "$WINEPREFIX/drive_c/Program Files/Murel" >/dev/null 2>&1 || fail "the installer wrote Program Files"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Murel' 2>/dev/null | grep -q "$version" \
  || fail "no uninstall entry for this user"
[ "$(timeout 60 "$wine" "$installed/murel.exe" --version 2>/dev/null | tr -d '\r')" = "murel $version" ] \
  || fail "murel.exe --version: $(timeout 60 "$wine" "$installed/murel.exe" --version 2>&1 | head -3)"

# window_type PID TYPE: the program's mapped window of that type (NORMAL,
# DIALOG), if any.
window_type() {
  local w
  for w in $(pid_windows "$1"); do
    if timeout 5 xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q "_NET_WM_WINDOW_TYPE_$2"; then
      echo "$w"
      return 0
    fi
  done
  return 0
}
has_type() { [ -n "$(window_type "$@")" ]; }
# main_window PID / card_window PID: the program's managed normal window,
# and its window Wine keeps from the window manager.
by_redirect() {
  local w
  for w in $(window_type "$1" NORMAL) $(pid_windows "$1"); do
    if timeout 5 xwininfo -id "$w" 2>/dev/null | grep -q "Override Redirect State: $2"; then
      echo "$w"
      return 0
    fi
  done
  return 0
}
main_window() { by_redirect "$1" no; }
card_window() { by_redirect "$1" yes; }

setsid "$wine" "$installed/murel.exe" >"$scratch/murel.log" 2>&1 </dev/null &
pid=$!
pids+=("$pid")
main_up() { [ -n "$(main_window "$pid")" ]; }
wait_until 60 main_up || fail "the main window did not appear"
data=$profile/AppData/Roaming/Murel
wait_until 10 test -d "$data/wjk" || fail "the data folder is not %APPDATA%\\Murel"
[ ! -e "$data/background.txt" ] || fail "a first run must not write the record"
main=$(main_window "$pid")
timeout 10 import -window "$main" "$scratch/main.png" || true

read -r wx wy _ < <(geometry "$main")
menu=24

# Run at logon, ticked and unticked in the settings dialog: the user's Run
# value holds the quoted path of the installed murel.exe, then is gone.
run_value() {
  "$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v murel 2>/dev/null | tr -d '\r' | sed 's/^ *//'
}
menu_open() { [ "$(pid_windows "$pid" | wc -l)" -gt 1 ]; }
dialog_gone() { ! has_type "$pid" DIALOG; }
toggle_logon() {
  xdotool mousemove $((wx + 252)) $((wy + 11)) click 1
  wait_until 10 menu_open || fail "the options menu did not open"
  xdotool key Down Return
  wait_until 10 has_type "$pid" DIALOG || fail "the settings dialog did not open"
  # Wine draws the dialog's own frame and caption inside its X window:
  # the client area (315 x 354) sits at the bottom, the border around it.
  local dx dy dw dh border
  read -r dx dy dw dh < <(geometry "$(window_type "$pid" DIALOG)")
  border=$(((dw - 315) / 2))
  sx=$((dx + border))
  sy=$((dy + dh - 354 - border))
  sleep 0.5
  xdotool mousemove $((sx + 192)) $((sy + 60)) click 1      # the logon box
  xdotool mousemove $((sx + 192)) $((sy + 332)) click 1     # apply
  wait_until 10 dialog_gone || fail "the settings dialog did not close"
}
toggle_logon
wanted="murel    REG_SZ    \"$("$wine" winepath -w "$installed/murel.exe" 2>/dev/null | tr -d '\r')\""
run_value | grep -qxF "$wanted" || fail "the Run value after ticking: $(run_value)"
toggle_logon
[ -z "$(run_value | grep murel)" ] || fail "the Run value stayed after unticking: $(run_value)"

# Interval 3, duration 3 (seconds), Start.
xdotool mousemove $((wx + 84)) $((wy + menu + 49)) click 1 key End BackSpace BackSpace BackSpace type 3
xdotool mousemove $((wx + 100)) $((wy + menu + 161)) click 1 key End BackSpace BackSpace BackSpace type 3
xdotool mousemove $((wx + 256)) $((wy + menu + 220)) click 1
wait_until 10 test -f "$data/background.txt" || fail "Start wrote no record into %APPDATA%\\Murel"
want=$(printf '"1","MS Sans Serif","0","3","3",#TRUE#,#FALSE#,#FALSE#\r\n' | od -An -c)
got=$(od -An -c "$data/background.txt")
[ "$got" = "$want" ] || fail "the record's bytes: $(cat -A "$data/background.txt")"

# A card at the bottom right, above the taskbar Wine has none of: inside
# the screen, touching neither the top nor the left.
card_up() { [ -n "$(card_window "$pid")" ]; }
wait_until 20 card_up || fail "no card after Start"
read -r kx ky kw kh < <(geometry "$(card_window "$pid")")
read -r sw sh < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
[ $((kx + kw)) -le "$sw" ] && [ $((ky + kh)) -le "$sh" ] && [ $((kx + kw)) -ge $((sw - 40)) ] \
  && [ $((ky + kh)) -ge $((sh - 80)) ] || fail "the card is not at the bottom right: $kx $ky ${kw}x$kh on ${sw}x$sh"
timeout 10 import -window root "$scratch/card.png" || true

# --show-now over the pipe: the running copy confirms, status 0.
timeout 60 "$wine" "$installed/murel.exe" --show-now >/dev/null 2>&1 || fail "--show-now did not reach the running copy"

timeout 30 "$wine" taskkill /f /im murel.exe >/dev/null 2>&1 || true
wait_until 20 gone "$pid" || fail "the program did not end"

# The uninstaller takes the program, its shortcut and its entries, never
# the user's data.
timeout 120 "$wine" "$installed/Uninstall.exe" /S _?="$("$wine" winepath -w "$installed" | tr -d '\r')" \
  || fail "the uninstaller failed"
wait_until 30 test ! -e "$installed/murel.exe" || fail "the uninstaller left murel.exe"
[ -f "$data/background.txt" ] || fail "the uninstaller removed the user's data"
! "$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Murel' >/dev/null 2>&1 \
  || fail "the uninstall entry stayed"
echo PASS
