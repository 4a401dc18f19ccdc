#!/usr/bin/env python3
"""Seeded mutation testing of the engine and the OK command.

Each mutant changes one operator, comparison or constant in one line of engine/ (its maths
included) or core/, is
built in a copy of the tree of its own (build/mutants), and the suite without the dialog is run
against it. A mutant that makes a test fail (or hang) is killed; one that passes every test
survived, and its site is printed: either a test is missing there, or the change makes no
difference anyone could see. The second kind are listed in scripts/mutants-equivalent.tsv with the
reason, and printed with it; a verdict there that no longer matches its source line fails the run.

    scripts/mutants.py [--seed N] [--count N] [--jobs N] [--under engine/math]

The same seed on the same sources picks the same mutants.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_DIRS = ("engine", "engine/math", "engine/exact", "core")
# Data, not code: the maths tables are checked entry by entry against the accurate path.
SKIPPED = ("TablesData.cpp",)
# Another platform's files are not built here, so no test could notice a change in them.
OTHER_PLATFORM = "_posix" if os.name == "nt" else "_windows"

# Verdicts on mutants that change nothing observable, kept as data beside this script.
VERDICTS = ROOT / "scripts" / "mutants-equivalent.tsv"


def read_verdicts():
    """{(file, line, mutated line): reason} from VERDICTS."""
    verdicts = {}
    for line in VERDICTS.read_text().splitlines():
        if line and not line.startswith("#"):
            path, was, now, reason = line.split("\t")
            verdicts[(path, was, now)] = reason
    return verdicts


def stale_verdicts(verdicts, src):
    """The verdicts whose line is gone from its file or no longer gives that mutant."""
    stale = []
    for (path, was, now) in verdicts:
        file = src / path
        made = set()
        if file.is_file():
            lines = file.read_text().splitlines()
            for n, a, b, replacement in sites(file):
                if lines[n].strip() == was:
                    made.add((lines[n][:a] + replacement + lines[n][b:]).strip())
        if now not in made:
            stale.append((path, was, now))
    return stale


# Binary operators as clang-format writes them, with a space on each side; each is swapped for
# its mutation. Unary operators, pointers and templates never match.
SWAPS = {
    "+": "-", "-": "+", "*": "/", "/": "*",
    "<": "<=", "<=": "<", ">": ">=", ">=": ">",
    "==": "!=", "!=": "==", "&&": "||", "||": "&&",
    "+=": "-=", "-=": "+=",
}
CHAR_SWAPS = {"+": "-", "-": "*", "*": "/", "/": "^", "^": "+", "$": "+", "(": ")", ")": "("}

TOKEN = re.compile(
    r"(?P<op> (?:<=|>=|==|!=|&&|\|\||\+=|-=|[-+*/<>]) )"
    r"|(?P<char>'[-+*/^$()]')"
    r"|(?P<bool>\b(?:true|false)\b)"
    r"|(?P<num>(?<![\w.])(?:\d+\.\d*|\.\d+|\d+)(?:e-?\d+)?(?![\w.]))")


def masked(line):
    """The line with string literals blanked and any // comment cut off, same length."""
    out = []
    i = 0
    in_string = False
    while i < len(line):
        c = line[i]
        if in_string:
            out.append(" " if c != '"' else '"')
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == '"':
                in_string = False
        elif c == '"':
            in_string = True
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def sites(path):
    """Every (line index, start, end, replacement) this script would mutate in one file."""
    found = []
    for n, line in enumerate(path.read_text().splitlines()):
        stripped = line.strip()
        if (not stripped or stripped.startswith(("#", "//", "static_assert"))
                or "assert(" in stripped):
            continue
        text = masked(line)
        for m in TOKEN.finditer(text):
            if m.group("op"):
                token = m.group("op").strip()
                found.append((n, m.start() + 1, m.end() - 1, SWAPS[token]))
            elif m.group("char"):
                found.append((n, m.start(), m.end(), "'" + CHAR_SWAPS[m.group("char")[1]] + "'"))
            elif m.group("bool"):
                found.append((n, m.start(), m.end(),
                              "false" if m.group("bool") == "true" else "true"))
            else:
                token = m.group("num")
                if "." in token or "e" in token:
                    found.append((n, m.start(), m.end(), "(" + token + " + 1)"))
                else:
                    value = int(token)
                    found.append((n, m.start(), m.end(), str(0 if value == 1 else value + 1)))
    return found


def run(cmd, timeout=None, **kw):
    try:
        return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, text=True, **kw).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=int(os.environ.get("MUTANTS_SEED", 1)))
    parser.add_argument("--count", type=int, default=int(os.environ.get("MUTANTS", 80)))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--work", default=str(ROOT / "build" / "mutants"))
    parser.add_argument("--under", default=os.environ.get("MUTANTS_UNDER", ""),
                        help="only the sites in this folder, e.g. engine/math")
    args = parser.parse_args()

    work = Path(args.work)
    src = work / "src"
    build = work / "build"
    files = subprocess.run(["git", "ls-files"], cwd=ROOT, check=True, stdout=subprocess.PIPE,
                           text=True).stdout.split()
    if src.exists():
        shutil.rmtree(src)
    for f in files:
        if (ROOT / f).is_file():
            (src / f).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(ROOT / f, src / f)  # new times: nothing built from an old mutant stays

    verdicts = read_verdicts()
    stale = stale_verdicts(verdicts, src)
    if stale:
        for path, was, now in stale:
            print(f"stale verdict {path}\n    was: {was}\n    now: {now}")
        sys.exit(f"mutants: {len(stale)} verdicts of {VERDICTS.name} match no source line")

    candidates = []
    for d in SOURCE_DIRS:
        if args.under and d != args.under.rstrip("/"):
            continue
        for path in sorted((src / d).glob("*")):
            if (path.suffix in (".cpp", ".h") and path.name not in SKIPPED
                    and OTHER_PLATFORM not in path.stem):
                candidates += [(path, *s) for s in sites(path)]
    rng = random.Random(args.seed)
    chosen = sorted(rng.sample(candidates, min(args.count, len(candidates))),
                    key=lambda c: (str(c[0]), c[1], c[2]))

    configure = ["cmake", "-S", str(src), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                 "-DQUORBIT1_BUILD_UI=OFF", "-DQUORBIT1_BUILD_BENCH=OFF",
                 "-DQUORBIT1_BUILD_DOCS=OFF"]
    targets = ["engine_tests", "math_tests", "core_tests", "cli_tests", "allocation_tests"]
    build_cmd = ["cmake", "--build", str(build), "-j", str(args.jobs), "--target", *targets]
    if run(configure) != 0 or run(build_cmd) != 0:
        sys.exit("mutants: the unmutated tree does not build")
    tests = [[str(build / "tests" / t), "--gtest_brief=1", "--gtest_fail_fast"] for t in targets]
    start = time.monotonic()
    for t in tests:
        if run(t) != 0:
            sys.exit("mutants: the suite fails without any mutant")
    timeout = max(30.0, 10 * (time.monotonic() - start))

    print(f"mutants: seed {args.seed}, {len(chosen)} of {len(candidates)} sites")
    killed, survived, stillborn = 0, [], 0
    for path, n, a, b, replacement in chosen:
        original = path.read_text()
        lines = original.splitlines(keepends=True)
        before = lines[n]
        lines[n] = before[:a] + replacement + before[b:]
        path.write_text("".join(lines))
        try:
            where = f"{path.relative_to(src)}:{n + 1}"
            if run(build_cmd) != 0:
                stillborn += 1
                verdict = "did not build"
            elif all(run(t, timeout=timeout) == 0 for t in tests):
                survived.append((where, before.strip(), lines[n].strip()))
                verdict = "SURVIVED"
            else:
                killed += 1
                verdict = "killed"
            print(f"  {verdict:13} {where}: {lines[n].strip()}", flush=True)
        finally:
            path.write_text(original)

    total = killed + len(survived)
    reasons = [verdicts.get((where.split(":")[0], was, now)) for where, was, now in survived]
    equivalent = sum(1 for r in reasons if r)
    print(f"\nkilled {killed}, survived {len(survived)} ({equivalent} shown equivalent), "
          f"did not build {stillborn}; kill rate {100.0 * killed / max(total, 1):.1f} %, "
          f"{100.0 * killed / max(total - equivalent, 1):.1f} % of the mutants that change "
          f"something ({time.monotonic() - start:.0f} s)")
    for (where, was, now), reason in zip(survived, reasons):
        print(f"survivor {where}\n    was: {was}\n    now: {now}")
        print(f"    equivalent: {reason}" if reason else "    no test notices this")


if __name__ == "__main__":
    main()
