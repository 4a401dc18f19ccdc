#!/usr/bin/env bash
# The bash completion of quorbit1-cli: options, --set's variable slots, nothing after "--".
set -uo pipefail
source "$1"
status=0
complete_words() {  # the words typed so far, the last one being completed
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _quorbit1_cli
  echo "${COMPREPLY[*]}"
}
expect() {
  local got
  got=$(complete_words "${@:2}")
  [[ "$got" == "$1" ]] || { echo "FAIL: '${*:2}' gave '$got', not '$1'"; status=1; }
}
expect "X= Y= Z= T=" quorbit1-cli --set ""
expect "Y=" quorbit1-cli -r --set Y
expect "--set=Z=" quorbit1-cli --set=Z
expect "--radians" quorbit1-cli --rad
expect "--line-buffered" quorbit1-cli --li
expect "" quorbit1-cli -- --ra
expect "" quorbit1-cli 2
exit $status
