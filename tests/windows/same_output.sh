#!/usr/bin/env bash
# quorbit1-cli.exe under Wine against the Linux quorbit1-cli on the same random texts of the
# project's kind (numbers, names, brackets, operators, spaces, bad characters, UTF-8): the same
# bytes on standard output and error, and the same exit status, in every format and angle unit.
# Usage: same_output.sh LINUX_CLI WINDOWS_EXE [COUNT]
set -euo pipefail
linux=$1
exe=$2
count=${3:-20000}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
/usr/bin/python3 - "$count" >"$tmp/texts" <<'PY'
import random, sys
random.seed(2126)
atoms = ['1', '2.5', '0', '.5', '10', '3', 'x', 'y', 't', 'z', 'sin(30)', 'cos(45)', 'tan(',
         'ln(', 'log(', 'alog(', 'aln(', 'asin(', 'acos(', 'atan(', '(', ')', '-(', '+', '-',
         '*', '/', '^', ' ', '  ', 'e', '#', '1.2.3', '99999999999999999999999', '=', 'sinh',
         'Q', '\t', 'é', '0.1', '710', '1e-7']
for _ in range(int(sys.argv[1])):
    print(''.join(random.choice(atoms) for _ in range(random.randint(0, 14))))
PY
failed=0
for unit in --degrees --radians; do
  for format in "" --json --trace; do
    args=($unit $format --no-history --set X=2.5 --set T=-1)
    set +e
    "$linux" "${args[@]}" <"$tmp/texts" >"$tmp/linux.out" 2>"$tmp/linux.err"
    linuxStatus=$?
    WINEDEBUG=-all wine "$exe" "${args[@]}" <"$tmp/texts" >"$tmp/wine.out" 2>"$tmp/wine.err"
    wineStatus=$?
    set -e
    if cmp -s "$tmp/linux.out" "$tmp/wine.out" && cmp -s "$tmp/linux.err" "$tmp/wine.err" &&
      [[ $linuxStatus == "$wineStatus" ]]; then
      echo "same: ${args[*]} ($(wc -c <"$tmp/linux.out") bytes, status $linuxStatus)"
    else
      echo "FAIL: ${args[*]}: status $linuxStatus and $wineStatus"
      diff <(head -c 2000 "$tmp/linux.out") <(head -c 2000 "$tmp/wine.out") | head -5 || true
      failed=1
    fi
  done
done
# Arguments outside ASCII arrive as UTF-8 from the wide command line.
args=(--json "é+1" "2^0.5" "sin(30)")
if cmp -s <("$linux" "${args[@]}") <(WINEDEBUG=-all wine "$exe" "${args[@]}"); then
  echo "same: ${args[*]}"
else
  echo "FAIL: ${args[*]}"
  failed=1
fi
exit $failed
