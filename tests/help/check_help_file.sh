#!/usr/bin/env bash
# Checks the compiled user guide against its sources:
#   check_help_file.sh VANTRL.CHM docs/help
# The file is a compiled help file (ITSF) with a search index; every file the project lists
# went in unchanged; every page is listed in the project and the contents; every link and
# picture of every page leads to a file inside the help file. Prints each problem and exits
# non-zero when there is one.
set -euo pipefail

chm=$1
sources=$2
problems=0
problem() { echo "check_help_file: $*" >&2; problems=$((problems + 1)); }

command -v extract_chmLib >/dev/null || { echo "check_help_file: extract_chmLib not found (Debian package libchm-bin)" >&2; exit 2; }
[ -f "$chm" ] || { echo "check_help_file: no help file $chm" >&2; exit 2; }
[ "$(head -c 4 "$chm")" = ITSF ] || problem "$chm is not a compiled help file (no ITSF header)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vantorel-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
extract_chmLib "$chm" "$work/chm" >/dev/null 2>&1 || problem "extract_chmLib cannot unpack $chm"

for internal in '#SYSTEM' '#TOPICS' '$FIftiMain'; do
  [ -e "$work/chm/$internal" ] || problem "the help file lacks $internal"
done

# The [FILES] section of the project, without blank lines and carriage returns.
listed=$(sed -n '/^\[FILES\]/,/^\[/p' "$sources/vantorel.hhp" | tr -d '\r' | grep -v '^\[' | grep -v '^$')
for file in $listed toc.hhc index.hhk; do
  if [ ! -f "$work/chm/$file" ]; then
    problem "$file did not go into the help file"
  elif ! cmp -s "$sources/$file" "$work/chm/$file"; then
    problem "$file differs from its source"
  fi
done

for page in "$sources"/*.html; do
  name=$(basename "$page")
  grep -qx "$name" <<<"$listed" || problem "$name is not listed in vantorel.hhp"
  grep -q "value=\"$name\"" "$sources/toc.hhc" || problem "$name has no entry in toc.hhc"
  # Local targets of href and src, without anchors; addresses with a scheme are not ours.
  for target in $(grep -o -E '(href|src)="[^"#]*' "$page" | sed -E 's/^(href|src)="//' | grep -v -E '^[a-z]+:' | sort -u); do
    [ -f "$work/chm/$target" ] || problem "$name links to $target, which is not in the help file"
  done
done

if [ "$problems" -gt 0 ]; then
  echo "check_help_file: $problems problem(s)" >&2
  exit 1
fi
echo "check_help_file: $(wc -w <<<"$listed") files in $chm, every page listed, every link inside"
