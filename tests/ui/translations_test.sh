#!/usr/bin/env bash
# Every text the dialog and its windows show has a German and a French translation: the .ts
# files, brought up to date with the sources as `update_translations` does, hold no unfinished
# or vanished entry, core's and the page's marked texts among them. Arguments: lupdate, the ui
# folder, then the other folders with marked texts (core, the page).
set -euo pipefail
lupdate=$1
ui=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$ui"/translations/*.ts "$scratch"/
"$lupdate" -silent -no-obsolete -locations none "$ui" "$@" -ts "$scratch"/*.ts
status=0
for ts in "$scratch"/*.ts; do
  if grep -n -B2 'type="unfinished"\|type="vanished"' "$ts"; then
    echo "FAIL: $(basename "$ts") is missing translations"
    status=1
  fi
  if ! cmp -s "$ts" "$ui/translations/$(basename "$ts")"; then
    echo "FAIL: $(basename "$ts") is not up to date with the sources (build update_translations)"
    diff "$ui/translations/$(basename "$ts")" "$ts" | head -20
    status=1
  fi
done
exit $status
