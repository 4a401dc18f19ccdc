#!/usr/bin/env python3
"""Writes typical.txt: hand-typed-looking expressions of 5 to 49 characters that every engine
in the benchmark parses (functions always with brackets, no doubled operators)."""
import random

rng = random.Random(1)
FUNCS = ["sin", "cos", "tan", "asin", "acos", "atan", "log", "ln", "alog", "aln"]
VARS = ["x", "y", "z", "t"]


def number():
    r = rng.random()
    if r < 0.5:
        return str(rng.randint(1, 99))
    if r < 0.8:
        return f"{rng.randint(0, 99)}.{rng.randint(1, 99)}"
    return str(rng.randint(100, 9999))


def operand(depth):
    r = rng.random()
    if r < 0.45 or depth > 2:
        return number()
    if r < 0.55:
        return rng.choice(VARS)
    if r < 0.8:
        f = rng.choice(FUNCS)
        arg = number() if f not in ("asin", "acos") else f"0.{rng.randint(1, 9)}"
        return f"{f}({arg})"
    return "(" + expr(depth + 1) + ")"


def expr(depth=0):
    parts = [operand(depth)]
    for _ in range(rng.randint(1, 3)):
        parts.append(rng.choice(["+", "-", "*", "/", "^"] if depth == 0 else ["+", "-", "*", "/"]))
        parts.append(operand(depth))
    sep = " " if rng.random() < 0.3 else ""
    return sep.join(parts)


seen = []
while len(seen) < 222:
    e = expr()
    if 5 <= len(e) <= 49 and e not in seen:
        seen.append(e)
with open("typical.txt", "w") as out:
    out.write("\n".join(seen) + "\n")
