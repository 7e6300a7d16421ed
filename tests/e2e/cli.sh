#!/usr/bin/env bash
# The command line is answered before any display is opened: --help and
# --version print and succeed without one, an unknown option prints the
# usage to standard error and ends with status 2.
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
echo PASS
