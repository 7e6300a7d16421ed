#!/usr/bin/env bash
# The command line is answered before any display is opened: --help and
# --version print and succeed without one, an unknown option prints the
# usage to standard error and ends with status 2, and with no display at
# all it says so in one line and ends with status 1. On a Wayland-only desktop
# without the toolkit's Wayland plugin it says what is missing and ends
# with a status of its own, not a core dump.
set -euo pipefail
exe=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run ARGS...: the program without any display; status in $status.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$exe" "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
}

run --version
[ "$status" -eq 0 ] || fail "--version ended with $status: $(cat "$out/stderr")"
[ "$(cat "$out/stdout")" = "murel $version" ] || fail "--version printed '$(cat "$out/stdout")'"
[ ! -s "$out/stderr" ] || fail "--version wrote to standard error: $(cat "$out/stderr")"

run --help
[ "$status" -eq 0 ] || fail "--help ended with $status: $(cat "$out/stderr")"
head -n1 "$out/stdout" | grep -qx 'Usage: murel \[--help\] \[--version\] .*' || fail "--help has no usage line"
grep -q 'show the version and exit' "$out/stdout" || fail "--help has no English text"
grep -q 'اعرض رقم الإصدار واخرج' "$out/stdout" || fail "--help has no Arabic text"
[ ! -s "$out/stderr" ] || fail "--help wrote to standard error: $(cat "$out/stderr")"

for bad in --bogus -x extra; do
  run "$bad"
  [ "$status" -eq 2 ] || fail "'$bad' ended with $status"
  [ ! -s "$out/stdout" ] || fail "'$bad' wrote to standard output"
  grep -q "^murel: .*'$bad'" "$out/stderr" || fail "'$bad' is not named on standard error"
  grep -qx 'Usage: murel \[--help\] \[--version\] .*' "$out/stderr" || fail "'$bad' printed no usage"
done
# A hostile argument is named cut short and without its control bytes.
run --pause "$(head -c 100000 /dev/zero | tr '\0' x)"$'\e[2J'
[ "$status" -eq 2 ] || fail "a 100 KB --pause value ended with $status"
[ "$(wc -c <"$out/stderr")" -lt 400 ] || fail "a 100 KB --pause value was echoed: $(wc -c <"$out/stderr") bytes"
! grep -q $'\e' "$out/stderr" || fail "an escape byte of an argument reached the terminal"

# No display at all: one line and status 1, not the toolkit's abort.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE windir="$out/data" \
  timeout -s KILL 10 "$exe" >"$out/stdout" 2>"$out/stderr" || status=$?
[ "$status" -eq 1 ] || fail "without a display ended with $status: $(cat "$out/stderr")"
[ "$(wc -l <"$out/stderr")" -eq 1 ] && grep -q '^murel: no display' "$out/stderr" \
  || fail "without a display said '$(cat "$out/stderr")'"

# wayland_without_plugin HOW ENV... -- ARGS...: the program asked for
# Wayland says once that the plugin is missing and ends with a status of
# its own, within a bounded time and not by a signal.
wayland_without_plugin() {
  local how=$1 envs=()
  shift
  while [ "$1" != -- ]; do envs+=("$1"); shift; done
  shift
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE windir="$out/data" "${envs[@]}" \
    timeout -s KILL 10 "$exe" "$@" >"$out/stdout" 2>"$out/stderr" || status=$?
  [ "$status" -ne 0 ] || fail "$how: ended with status 0"
  [ "$status" -lt 128 ] || fail "$how: ended by signal $((status - 128)): $(cat "$out/stderr")"
  [ "$(wc -l <"$out/stderr")" -eq 1 ] || fail "$how: wrote more than one line: $(cat "$out/stderr")"
  grep -qx 'murel: the Wayland platform plugin (Debian package qt6-wayland) is not installed' "$out/stderr" \
    || fail "$how: said '$(cat "$out/stderr")'"
  [ ! -s "$out/stdout" ] || fail "$how: wrote to standard output"
}

if ls "$(qtpaths6 --query QT_INSTALL_PLUGINS)"/platforms/libqwayland* >/dev/null 2>&1; then
  echo "the Wayland platform plugin is installed: start-up without it not checked"
else
  # Only a Wayland socket, and one no compositor listens on.
  wayland_without_plugin "a Wayland socket alone" WAYLAND_DISPLAY="$out/no-compositor" --
  wayland_without_plugin "a Wayland session alone" XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-0 --
  # Asked for on the command line, where the toolkit would look first.
  wayland_without_plugin "-platform wayland" -- -platform wayland
fi
echo PASS
