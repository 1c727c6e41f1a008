#!/usr/bin/env bash
# The manual page of tallyvane-report follows the program: the version it names is the
# program's, and every option and command of --help is described in it.
#   check_man_page.sh PROGRAM PAGE
set -euo pipefail
program=$1 page=$2
[ -s "$page" ] || { echo "no manual page at $page"; exit 1; }
# roff writes "-" as "\-"; fonts switch with \fB, \fI, \fR, \fP.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")
failed=0
version=$("$program" --version | awk '{print $2}')
if ! grep -q "^\.TH .*$version" <<<"$text"; then
  echo "the page's heading does not name version $version"
  failed=1
fi
help=$("$program" --help)
options=$(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
[ -n "$options" ] || { echo "$program --help names no option"; exit 1; }
for option in $options; do
  if ! grep -qF -- "$option" <<<"$text"; then
    echo "$option (in --help) is missing from the manual page"
    failed=1
  fi
done
exit $failed
