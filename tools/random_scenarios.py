#!/usr/bin/env python3
"""Command files for the scenario runner (build/default/tools/efficiency-scenario).

Two kinds, for checking that a change leaves the runner's output byte for
byte as it was:

  random_scenarios.py random --count 200 --seed 11 --out DIR
      DIR/random-000.txt ...: random user sessions of select, type, set,
      drag, paint, keep and forget, with a dump every few steps and at the
      end. The typed texts are of the soak test's kinds: numbers well and
      badly formed, values next to a box's bounds, garbage, digits of other
      scripts, the empty text and 100,000 pasted characters.

  random_scenarios.py goldens --source tests/ui/scenario_test.cpp --out DIR
      DIR/golden-00.txt ...: the golden scenarios' commands, each followed
      by the dump the golden test takes.

The same seed gives the same files. tools/compare_runners.sh makes both
kinds, runs two runners on them and compares the outputs:

  tools/compare_runners.sh OLD_RUNNER NEW_RUNNER 2000 30 [DIR]
"""

import argparse
import pathlib
import random
import re
import sys

# The sliders' ranges, by the runner's slider number.
SLIDERS = {1: (0, 250), 2: (-30, 50), 3: (1, 1300)}
ROWS = 6
# Each box's exclusive bounds, by the runner's box number.
BOUNDS = {1: (0.0, 1.0), 2: (0.8, 15.0), 3: (0.0, 100.0), 4: (0.0, 100.0)}

POOL = "0123456789,,..+-eE  \txa%\u00a0\u0661\uff11\u00e9"
SPECIAL = ["", "   ", " 0,5 ", "\t2", "nan", "inf", "1E400", "1E-400", "0,99999",
           "1,5E-3", "99,99999"]
OTHER_ZEROS = ["\u0660", "\u06f0", "\u0966", "\uff10"]


def digits(rng, n):
    return "".join(rng.choice("0123456789") for _ in range(n))


def random_text(rng):
    kind = rng.randrange(10)
    if kind == 0:  # garbage
        return "".join(rng.choice(POOL) for _ in range(rng.randrange(13)))
    if kind in (1, 2, 3):  # a number, well or badly formed
        text = " " * (rng.randint(1, 2) if rng.randrange(4) == 0 else 0)
        text += rng.choice(["", "", "+", "-"]) + digits(rng, rng.randrange(4))
        text += rng.choice([",", ",", ",", "."]) + digits(rng, rng.randrange(9))
        if rng.randrange(5) == 0:
            text += rng.choice(["E", "e", "E-", "E+"]) + digits(rng, rng.randrange(4))
        return text
    if kind in (4, 5):  # next to a bound of some box
        lower, upper = BOUNDS[rng.randint(1, 4)]
        delta = rng.choice([0, 1e-9, 1e-5, 4e-5, 5e-5, 6e-5, 1e-4, 0.01])
        value = rng.choice([lower, upper]) + rng.choice([-1, 1]) * delta
        text = f"{value:.10f}"
        return text if rng.randrange(10) == 0 else text.replace(".", ",")
    if kind == 6:  # 100,000 characters, pasted
        return rng.choice(["", "0,", "-", "1E", "x"]) + digits(rng, 100000)
    if kind == 7:  # digits of other scripts
        text = "".join(chr(ord(rng.choice(OTHER_ZEROS)) + rng.randrange(10))
                       for _ in range(rng.randint(1, 4)))
        return text if rng.randrange(2) == 0 else text[:1] + "," + text[1:]
    return rng.choice(SPECIAL)


def random_step(rng):
    """One step's lines."""
    # Of a thousand steps 20 keep, most of them several collectors, and 15
    # forget: about 4 % of the lines keep and 1.5 % forget.
    roll = rng.randrange(1000)
    if roll < 20:
        # The current collector, or a few of the listed ones picked and kept
        # in turn. The chart holds each once and four at most: five in a row
        # are one too many.
        if rng.randrange(3) == 0:
            return ["keep"]
        lines = []
        for row in rng.sample(range(ROWS - 1), rng.randint(1, ROWS - 1)):
            lines += [f"select {row}", "keep"]
        return lines
    if roll < 35:
        return ["forget"]
    what = rng.randrange(20)
    if what < 8:
        return [f"type {rng.randint(1, 4)} {random_text(rng)}"]
    if what < 11:
        # The custom row half the time, so that the coefficient boxes take entries.
        return [f"select {ROWS - 1 if rng.randrange(2) == 0 else rng.randrange(ROWS)}"]
    if what < 15:
        k = rng.randint(1, 3)
        low, high = SLIDERS[k]
        # Now and then beyond the range, which the bar clamps.
        value = rng.randint(low - 20, high + 20) if rng.randrange(8) == 0 \
            else rng.randint(low, high)
        return [f"set {k} {value}"]
    if what < 18:
        k = rng.randint(1, 3)
        return [f"drag {k} {rng.randint(*SLIDERS[k])}"]
    return ["paint"]


def random_scenario(rng):
    lines = []
    if rng.randrange(4) == 0:
        lines.append("dump")
    steps = rng.randint(3, 25)
    until_dump = rng.randint(1, 4)
    for _ in range(steps):
        lines.extend(random_step(rng))
        until_dump -= 1
        if until_dump == 0:
            lines.append("dump")
            until_dump = rng.randint(1, 4)
    if lines[-1] != "dump":
        lines.append("dump")
    return lines


def golden_scenarios(source):
    """The command lists of goldens() in the golden test, in order."""
    text = pathlib.Path(source).read_text(encoding="utf-8")
    body = text[text.index("std::vector<Golden> goldens()"):]
    body = body[:body.index("\n}\n")]  # the function's closing brace
    found = []
    for match in re.finditer(r'\{"((?:[^"\\]|\\.)*)",\s*\{([^{}]*)\},', body):
        commands = re.findall(r'"((?:[^"\\]|\\.)*)"', match.group(2))
        found.append((match.group(1), commands + ["dump"]))
    return found


def write(path, lines):
    # Texts may hold any character but a line break.
    assert all("\n" not in line for line in lines)
    path.write_text("\n".join(lines) + "\n", encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="kind", required=True)
    rand = sub.add_parser("random")
    rand.add_argument("--count", type=int, default=200)
    rand.add_argument("--seed", type=int, default=11)
    rand.add_argument("--out", required=True)
    gold = sub.add_parser("goldens")
    gold.add_argument("--source", default="tests/ui/scenario_test.cpp")
    gold.add_argument("--out", required=True)
    args = parser.parse_args()

    out = pathlib.Path(args.out)
    out.mkdir(parents=True, exist_ok=True)
    if args.kind == "random":
        rng = random.Random(args.seed)
        for n in range(args.count):
            write(out / f"random-{n:03d}.txt", random_scenario(rng))
        print(f"{args.count} random scenarios (seed {args.seed}) in {out}")
    else:
        goldens = golden_scenarios(args.source)
        if not goldens:
            sys.exit(f"no golden scenarios found in {args.source}")
        for n, (_, commands) in enumerate(goldens):
            write(out / f"golden-{n:02d}.txt", commands)
        print(f"{len(goldens)} golden scenarios in {out}")


if __name__ == "__main__":
    main()
