#!/usr/bin/env bash
# Every C++ source of the project is as the project's .clang-format has it:
# names the files clang-format would change, and fails if there are any.
set -euo pipefail
source=$1
cd "$source"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . \( -path './build*' -o -path '*/node_modules' -o -path './.git' \) -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -type f -print)
fi
[ "${#files[@]}" -gt 0 ] || { echo "FAIL: no sources under $source" >&2; exit 1; }
unformatted=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ "${#unformatted[@]}" -gt 0 ]; then
  echo "FAIL: clang-format would change ${#unformatted[@]} file(s); run clang-format -i on them:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "PASS: ${#files[@]} files formatted"
