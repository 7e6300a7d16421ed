#!/usr/bin/env bash
# Every option the program's --help lists is described in the manual page,
# and the page names the files the program keeps in its data folder.
set -euo pipefail
exe=$1
page=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
help=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$exe" --help)
# The options of the help's option lines: "  -h, --help ..." and "  --pause LENGTH ...".
options=$(printf '%s\n' "$help" | grep -oE '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '--?[a-z-]+' | sort -u)
[ "$(printf '%s\n' "$options" | grep -c -- '^--')" -ge 5 ] || fail "found too few options in --help: $options"
# In the page a dash is written \-.
text=$(sed 's/\\-/-/g' "$page")
for option in $options; do
  grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "the manual page does not describe $option"
done
for file in background.txt hold.ini texts.ini times.ini sound.ini; do
  grep -q "murel/$file" <<<"$text" || fail "the manual page does not name $file"
done
echo PASS
