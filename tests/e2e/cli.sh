#!/usr/bin/env bash
# The command line is answered before any display is opened: --help and
# --version print and succeed without one, an unknown option prints the
# usage to standard error and ends with status 2. On a Wayland-only desktop
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
head -n1 "$out/stdout" | grep -qx 'Usage: murel \[--help\] \[--version\]' || fail "--help has no usage line"
grep -q 'show the version and exit' "$out/stdout" || fail "--help has no English text"
grep -q 'اعرض رقم الإصدار واخرج' "$out/stdout" || fail "--help has no Arabic text"
[ ! -s "$out/stderr" ] || fail "--help wrote to standard error: $(cat "$out/stderr")"

for bad in --bogus -x extra; do
  run "$bad"
  [ "$status" -eq 2 ] || fail "'$bad' ended with $status"
  [ ! -s "$out/stdout" ] || fail "'$bad' wrote to standard output"
  grep -q "^murel: .*'$bad'" "$out/stderr" || fail "'$bad' is not named on standard error"
  grep -qx 'Usage: murel \[--help\] \[--version\]' "$out/stderr" || fail "'$bad' printed no usage"
done
# Only a Wayland socket, and one no compositor listens on.
if ls "$(qtpaths6 --query QT_INSTALL_PLUGINS)"/platforms/libqwayland* >/dev/null 2>&1; then
  echo "the Wayland platform plugin is installed: start-up without it not checked"
else
  status=0
  env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE WAYLAND_DISPLAY="$out/no-compositor" \
    windir="$out/data" timeout -s KILL 10 "$exe" >"$out/stdout" 2>"$out/stderr" || status=$?
  [ "$status" -ne 0 ] || fail "Wayland without its plugin ended with status 0"
  [ "$status" -lt 128 ] || fail "Wayland without its plugin ended by signal $((status - 128)): $(cat "$out/stderr")"
  [ "$(wc -l <"$out/stderr")" -eq 1 ] || fail "Wayland without its plugin wrote more than one line: $(cat "$out/stderr")"
  grep -qx 'murel: the Wayland platform plugin (Debian package qt6-wayland) is not installed' "$out/stderr" \
    || fail "Wayland without its plugin said '$(cat "$out/stderr")'"
  [ ! -s "$out/stdout" ] || fail "Wayland without its plugin wrote to standard output"
fi
echo PASS
