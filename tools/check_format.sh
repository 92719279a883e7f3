#!/usr/bin/env bash
# Checks that our C and C++ sources and headers are laid out as .clang-format says, with
# clang-format 14 (Debian 12's; another version lays some lines out differently). Prints each
# file that differs and the command that fixes it; exits 1 when any differs.
#
#   bash tools/check_format.sh         # check
#   bash tools/check_format.sh --fix   # reformat the files that differ in place
#
# Only our folders are looked at; third_party/ and build/ never are, nor resource scripts.
set -euo pipefail
cd "$(dirname "$0")/.."

folders=(app cli document editor export imaging mission recovery resources safe_file scene screenshot_prep settings
         tests tools)

fix=false
case "${1:-}" in
  "") ;;
  --fix) fix=true ;;
  *) echo "usage: bash tools/check_format.sh [--fix]" >&2; exit 2 ;;
esac

formatter=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$formatter" ] || { echo "check_format: clang-format is not installed (bash tools/setup.sh installs it)" >&2; exit 2; }
version=$("$formatter" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
[ "$version" = 14 ] || echo "check_format: $formatter is version $version; the layout is that of version 14" >&2

# Tracked files and new ones not ignored; a copy without git is searched instead.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -d '' listed < <(git ls-files -z --cached --others --exclude-standard -- "${folders[@]}")
else
  mapfile -d '' listed < <(find "${folders[@]}" -type f -print0)
fi
files=()
for file in "${listed[@]}"; do
  case "$file" in
    *.c | *.cc | *.cpp | *.cxx | *.h | *.hh | *.hpp | *.inl) [ -f "$file" ] && files+=("$file") ;;
  esac
done
[ ${#files[@]} -gt 0 ] || { echo "check_format: no sources found" >&2; exit 2; }

# One dry run over every file; each place that differs is reported as FILE:LINE:COLUMN.
status=0
report=$(printf '%s\0' "${files[@]}" | xargs -0 "$formatter" --dry-run --Werror 2>&1) || status=$?
mapfile -t differing < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" |
                         sort -u)
# Anything else clang-format says (a bad .clang-format, an unreadable file) is a failure too.
others=$(grep -E ': error: |^Error |^No such file' <<<"$report" | grep -v 'code should be clang-formatted' || true)
if [ -n "$others" ] || { [ "$status" -ne 0 ] && [ ${#differing[@]} -eq 0 ]; }; then
  echo "check_format: clang-format failed:" >&2
  echo "${others:-$report}" | awk '!seen[$0]++' | head -n 10 >&2
  exit 2
fi

if [ ${#differing[@]} -eq 0 ]; then
  echo "check_format: ${#files[@]} files laid out as .clang-format says"
  exit 0
fi
if $fix; then
  printf '%s\0' "${differing[@]}" | xargs -0 "$formatter" -i
  echo "check_format: reformatted ${#differing[@]} of ${#files[@]} files"
  exit 0
fi
for file in "${differing[@]}"; do
  echo "check_format: $file differs; fix: $(basename "$formatter") -i $file"
done
echo "check_format: ${#differing[@]} of ${#files[@]} files differ; fix them all: bash tools/check_format.sh --fix"
exit 1
