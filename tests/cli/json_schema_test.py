"""Every line quorbit1-cli --json writes is valid against docs/quorbit1-cli.schema.json, reads back
the expression it was given and the number it shows, and every flag name occurs in the table."""
import json
import math
import subprocess
import sys

import jsonschema

CLI, SCHEMA = sys.argv[1], sys.argv[2]

# The expressions, as bytes: every flag, NaN, both infinities, refused texts, and bytes that a
# JSON string must escape or cannot hold.
TABLE = [
    b"(1+2", b"2*e", b"1  +1", b"1++2", b"log(-1)", b"ln(-1)", b"asin(2)", b"1" * 40, b"1$",
    b"10^400", b"-10^400", b"ln(0)", b"0^-1", b"x=1", b"", b"sin(30)", b"2*3+4", b"-0",
    b"1e5", b"0.1", b"123456789012345678", b"1/3", b'"\\', b"a\tb", b"\x01\x1f\x7f",
    b"\xff\xfe", b"\xc3\xa9+1", b"\xe2\x82\xac", b"\xf0\x9f\x98\x80", b"(((((((((1", b")",
]


def run(args, lines):
    out = subprocess.run([CLI, "--json", *args], input=b"\n".join(lines) + b"\n",
                         stdout=subprocess.PIPE, check=False).stdout
    return out.decode("utf-8").splitlines()  # must be UTF-8 whatever the input


def main():
    with open(SCHEMA, encoding="utf-8") as f:
        schema = json.load(f)
    jsonschema.Draft202012Validator.check_schema(schema)
    validator = jsonschema.Draft202012Validator(schema)
    failures = []
    seen_flags = set()
    for args in ([], ["--radians"], ["--set", "X=1e300", "--set", "Y=-0"]):
        lines = run(args, TABLE)
        if len(lines) != len(TABLE):
            failures.append(f"{args}: {len(lines)} lines for {len(TABLE)} expressions")
            continue
        for text, line in zip(TABLE, lines):
            obj = json.loads(line)
            for error in validator.iter_errors(obj):
                failures.append(f"{text!r}: {error.message}")
            seen_flags.update(obj["flags"])
            if obj["expression"] != text.decode("utf-8", errors="replace"):
                failures.append(f"{text!r}: expression {obj['expression']!r}")
            exact = float(obj["valueExact"])
            if math.isfinite(exact) != (obj["value"] is not None) or (
                    obj["value"] is not None and obj["value"] != exact):
                failures.append(f"{text!r}: value {obj['value']} for {obj['valueExact']}")
            if obj["angleUnit"] != ("radians" if args == ["--radians"] else "degrees"):
                failures.append(f"{text!r}: angle unit {obj['angleUnit']}")
    all_flags = set(schema["properties"]["flags"]["items"]["enum"])
    if seen_flags != all_flags:
        failures.append(f"flags never seen: {sorted(all_flags - seen_flags)}")
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
