#!/usr/bin/env bash
# The manual pages render without a single warning from groff, and say what they must.
set -euo pipefail
status=0
for page in "$@"; do
  warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$page" 2>&1)
  if [[ -n "$warnings" ]]; then
    echo "FAIL: $page: $warnings"
    status=1
  fi
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
    grep -q "^$section" <<<"$text" || { echo "FAIL: $page has no $section"; status=1; }
  done
done
exit $status
