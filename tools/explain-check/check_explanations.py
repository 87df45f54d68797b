#!/usr/bin/env python3
"""Checks the analysis tool's explanations of forced moves from scratch, on a model of its own.

Reads the lines of `kumoji-analyse --explain --json` on standard input, prints
every violation and the number of steps per technique, and exits with 1 when
anything is wrong (2 for a wrong command line).
"""

import argparse
import json
import statistics
import sys

from grid_model import (CELL_NAMES, CELL_OF, UNIT_NAMES, UNIT_OF, UNIT_SETS, UNITS,
                        given_candidates, is_box, placed, places)
from needs import NUMBER, needs
from pattern_steps import CHECKS as BEYOND_CHECKS
from pattern_steps import Wrong, require

SINGLES = ["smEmptyCell", "smLeftPlace", "smMissingNumber"]
SUBSETS = ["smMyReserved", "smYourReserved", "smOurReserved"]
BEYOND = ["smXWing", "smSkyscraper", "sm2StringKite", "smSwordfish", "smXYWing", "smXYZWing",
          "smWWing", "smSimpleColouring", "smKeepOff", "smGetOut"]
PATTERNS = SUBSETS + BEYOND
TECHNIQUES = SINGLES + PATTERNS
# Techniques 1 to 6, in the order of their difficulty.
LEVEL = {name: number for number, name in enumerate(SINGLES + SUBSETS, start=1)}


def allowed_steps(technique):
    """The step kinds a question of the technique may use: the easier kinds and its own."""
    if technique in LEVEL:
        return set(SUBSETS[: max(0, LEVEL[technique] - 3)])
    if technique in ("smKeepOff", "smGetOut"):
        return set(SUBSETS) | {technique}
    return set(SUBSETS) | set(BEYOND[: BEYOND.index(technique) + 1])


EXPLANATION_KEYS = ["puzzle", "cell", "digit", "technique", "steps", "single", "text"]
STEP_KEYS = ["technique", "digits", "cells", "units", "removes"]
# The kinds that carry more lists have them between the units and the removals.
EXTRA_KEYS = {"smXWing": ["cover"], "smSwordfish": ["cover"],
              "smSimpleColouring": ["colours", "links"]}
REMOVE_KEYS = ["cell", "digit"]
SINGLE_KEYS = ["kind", "unit", "cell", "digit"]


def is_digit(value):
    return type(value) is int and 1 <= value <= 9


# --- The shape of a line -------------------------------------------------


def keys_are(obj, keys, what):
    require(isinstance(obj, dict), f"{what} is not an object")
    require(list(obj) == keys, f"{what} has keys {list(obj)}, expected {keys}")


def list_of(value, test, what):
    require(isinstance(value, list) and all(test(v) for v in value), f"bad {what}: {value!r}")
    require(len(set(map(json.dumps, value))) == len(value), f"{what} repeat an entry: {value!r}")


def read_shape(obj):
    """The explanation with names turned into numbers; raises Wrong on a bad shape."""
    keys_are(obj, EXPLANATION_KEYS, "the explanation")
    puzzle = obj["puzzle"]
    require(
        isinstance(puzzle, str) and len(puzzle) == 81 and all(c in "0123456789" for c in puzzle),
        f"bad puzzle text {puzzle!r}",
    )
    require(obj["cell"] in CELL_OF, f"bad cell {obj['cell']!r}")
    require(is_digit(obj["digit"]), f"bad digit {obj['digit']!r}")
    require(obj["technique"] in TECHNIQUES, f"bad technique {obj['technique']!r}")
    require(isinstance(obj["steps"], list), "steps is not a list")
    steps = []
    for number, step in enumerate(obj["steps"], start=1):
        what = f"step {number}"
        require(isinstance(step, dict) and step.get("technique") in PATTERNS,
                f"{what}: bad technique {step.get('technique') if isinstance(step, dict) else step!r}")
        extra = EXTRA_KEYS.get(step["technique"], [])
        keys_are(step, STEP_KEYS[:4] + extra + STEP_KEYS[4:], what)
        if step["technique"] == "smKeepOff":
            # Keep off watches the digit it assumes: [assumed, watched] repeats it.
            require(isinstance(step["digits"], list) and all(map(is_digit, step["digits"])),
                    f"bad {what}: digits: {step['digits']!r}")
        else:
            list_of(step["digits"], is_digit, f"{what}: digits")
        list_of(step["cells"], lambda c: c in CELL_OF, f"{what}: cells")
        list_of(step["units"], lambda u: u in UNIT_OF, f"{what}: units")
        require(isinstance(step["removes"], list), f"{what}: removes is not a list")
        removes = []
        for removed in step["removes"]:
            keys_are(removed, REMOVE_KEYS, f"{what}: a removal")
            require(removed["cell"] in CELL_OF, f"{what}: bad removal cell {removed['cell']!r}")
            require(is_digit(removed["digit"]), f"{what}: bad removal digit {removed['digit']!r}")
            removes.append((CELL_OF[removed["cell"]], removed["digit"]))
        require(len(set(removes)) == len(removes), f"{what}: removes repeat a candidate")
        read = {
            "technique": step["technique"],
            "digits": list(step["digits"]),
            "cells": [CELL_OF[c] for c in step["cells"]],
            "units": [UNIT_OF[u] for u in step["units"]],
            "removes": removes,
        }
        if "cover" in extra:
            list_of(step["cover"], lambda u: u in UNIT_OF, f"{what}: cover")
            read["cover"] = [UNIT_OF[u] for u in step["cover"]]
        if "colours" in extra:
            require(isinstance(step["colours"], list) and all(c in (0, 1) for c in step["colours"]),
                    f"{what}: bad colours {step['colours']!r}")
            require(isinstance(step["links"], list) and all(
                isinstance(k, list) and len(k) == 3 and type(k[0]) is int and type(k[1]) is int
                and k[2] in UNIT_OF for k in step["links"]), f"{what}: bad links {step['links']!r}")
            read["colours"] = list(step["colours"])
            read["links"] = [(k[0], k[1], UNIT_OF[k[2]]) for k in step["links"]]
        steps.append(read)
    single = obj["single"]
    keys_are(single, SINGLE_KEYS, "the single")
    require(single["kind"] in SINGLES, f"bad single kind {single['kind']!r}")
    require(single["unit"] is None or single["unit"] in UNIT_OF, f"bad unit {single['unit']!r}")
    require(single["cell"] in CELL_OF, f"bad single cell {single['cell']!r}")
    require(is_digit(single["digit"]), f"bad single digit {single['digit']!r}")
    text = obj["text"]
    require(
        isinstance(text, list) and all(isinstance(line, str) for line in text),
        "text is not a list of strings",
    )
    return {
        "values": [int(c) for c in puzzle],
        "cell": CELL_OF[obj["cell"]],
        "digit": obj["digit"],
        "technique": obj["technique"],
        "steps": steps,
        "single": {
            "kind": single["kind"],
            "unit": None if single["unit"] is None else UNIT_OF[single["unit"]],
            "cell": CELL_OF[single["cell"]],
            "digit": single["digit"],
        },
        "text": text,
    }


# --- The candidate model (grid_model.py) ---------------------------------


def clash(values):
    """Two equal givens in one unit, in words, or None."""
    for u, cells in enumerate(UNITS):
        held = [values[i] for i in cells if values[i]]
        if len(held) != len(set(held)):
            return f"givens repeat a digit in {UNIT_NAMES[u]}"
    return None


def locked_candidates(step, values, candidates):
    """What a box and a line allow to be removed, or Wrong."""
    require(len(step["units"]) == 2, "locked candidates need two units")
    first, second = step["units"]
    require(is_box(first) != is_box(second), "locked candidates need a box and a line")
    require(UNIT_SETS[first] & UNIT_SETS[second], "the box and the line do not cross")
    require(len(step["digits"]) == 1, "locked candidates need one digit")
    digit = step["digits"][0]
    where = places(values, candidates, first, digit)
    require(where, f"{digit} has no place in {UNIT_NAMES[first]}")
    require(
        set(where) == set(step["cells"]),
        f"the places of {digit} in {UNIT_NAMES[first]} are "
        f"{names(where)}, not {names(step['cells'])}",
    )
    require(
        set(where) <= UNIT_SETS[second],
        f"the places of {digit} in {UNIT_NAMES[first]} leave {UNIT_NAMES[second]}",
    )
    return {(i, digit) for i in UNIT_SETS[second] - UNIT_SETS[first]}


def naked_subset(step, values, candidates):
    require(len(step["units"]) == 1, "a naked subset needs one unit")
    unit = step["units"][0]
    cells, digits = step["cells"], step["digits"]
    require(2 <= len(cells) <= 4, f"a naked subset of {len(cells)} cells, not 2 to 4")
    for i in cells:
        require(i in UNIT_SETS[unit], f"{CELL_NAMES[i]} is not in {UNIT_NAMES[unit]}")
        require(not values[i], f"{CELL_NAMES[i]} is not open")
    union = set().union(*(candidates[i] for i in cells))
    require(len(digits) == len(cells), f"{len(cells)} cells but {len(digits)} digits")
    require(
        union == set(digits),
        f"the candidates of {names(cells)} are {sorted(union)}, not {sorted(digits)}",
    )
    return {(i, d) for i in UNIT_SETS[unit] - set(cells) for d in digits}


def hidden_subset(step, values, candidates):
    require(len(step["units"]) == 1, "a hidden subset needs one unit")
    unit = step["units"][0]
    cells, digits = step["cells"], step["digits"]
    require(2 <= len(digits) <= 4, f"a hidden subset of {len(digits)} digits, not 2 to 4")
    require(len(digits) == len(cells), f"{len(digits)} digits but {len(cells)} cells")
    for i in cells:
        require(i in UNIT_SETS[unit], f"{CELL_NAMES[i]} is not in {UNIT_NAMES[unit]}")
    held = placed(values, unit)
    where = set()
    for digit in digits:
        require(digit not in held, f"{digit} is placed in {UNIT_NAMES[unit]}")
        where |= set(places(values, candidates, unit, digit))
    require(
        where == set(cells),
        f"the places of {sorted(digits)} in {UNIT_NAMES[unit]} are {names(where)}, "
        f"not {names(cells)}",
    )
    return {(i, d) for i in cells for d in set(range(1, 10)) - set(digits)}


PATTERN_CHECKS = {
    "smMyReserved": locked_candidates,
    "smYourReserved": naked_subset,
    "smOurReserved": hidden_subset,
    **BEYOND_CHECKS,
}


def names(cells):
    return "[" + ", ".join(CELL_NAMES[i] for i in sorted(cells)) + "]"


def apply_step(step, values, candidates):
    """Checks the step's pattern and removals on candidates and applies them, or Wrong."""
    allowed = PATTERN_CHECKS[step["technique"]](step, values, candidates)
    for cell, digit in step["removes"]:
        require(
            (cell, digit) in allowed,
            f"its pattern does not allow removing {digit} from {CELL_NAMES[cell]}",
        )
        require(digit in candidates[cell], f"{digit} is no candidate of {CELL_NAMES[cell]}")
    for cell, digit in step["removes"]:
        candidates[cell].discard(digit)


def check_single(single, values, candidates):
    cell, digit, unit = single["cell"], single["digit"], single["unit"]
    require(not values[cell], f"{CELL_NAMES[cell]} is not empty")
    if single["kind"] == "smMissingNumber":
        require(unit is None, "smMissingNumber names no unit")
        require(
            candidates[cell] == {digit},
            f"the candidates of {CELL_NAMES[cell]} are {sorted(candidates[cell])}, not [{digit}]",
        )
        return
    require(unit is not None, f"{single['kind']} needs a unit")
    require(cell in UNIT_SETS[unit], f"{CELL_NAMES[cell]} is not in {UNIT_NAMES[unit]}")
    if single["kind"] == "smEmptyCell":
        empty = [i for i in UNITS[unit] if not values[i]]
        require(empty == [cell], f"the empty cells of {UNIT_NAMES[unit]} are {names(empty)}")
        missing = set(range(1, 10)) - placed(values, unit)
        require(missing == {digit}, f"{UNIT_NAMES[unit]} misses {sorted(missing)}")
        require(digit in candidates[cell], f"{digit} is no candidate of {CELL_NAMES[cell]}")
    else:
        require(digit not in placed(values, unit), f"{digit} is placed in {UNIT_NAMES[unit]}")
        where = places(values, candidates, unit, digit)
        require(where == [cell], f"the places of {digit} in {UNIT_NAMES[unit]} are {names(where)}")


def replay(explanation, steps):
    """Applies steps from the givens' candidates and checks the single, or Wrong."""
    values = explanation["values"]
    candidates = given_candidates(values)
    for number, step in steps:
        try:
            apply_step(step, values, candidates)
        except Wrong as fault:
            raise Wrong(f"step {number} ({step['technique']}): {fault}") from None
    try:
        check_single(explanation["single"], values, candidates)
    except Wrong as fault:
        raise Wrong(f"the single ({explanation['single']['kind']}): {fault}") from None


# --- The rules -----------------------------------------------------------


def violations(explanation, check_needs=False):
    """Every rule the explanation breaks, in words; with check_needs also the rule of what
    the question needs."""
    found = []
    values, steps, technique = explanation["values"], explanation["steps"], explanation["technique"]
    problem = clash(values)
    if problem:
        return [problem]
    single = explanation["single"]
    if (single["cell"], single["digit"]) != (explanation["cell"], explanation["digit"]):
        found.append(
            f"the single places {single['digit']} in {CELL_NAMES[single['cell']]}, "
            f"not the move {explanation['digit']} in {CELL_NAMES[explanation['cell']]}"
        )
    numbered = list(enumerate(steps, start=1))
    try:
        replay(explanation, numbered)
    except Wrong as fault:
        found.append(str(fault))
    else:
        # Only a sound explanation can be judged for steps it could do without.
        for left_out in range(len(steps)):
            try:
                replay(explanation, numbered[:left_out] + numbered[left_out + 1 :])
            except Wrong:
                continue
            found.append(f"not minimal: step {left_out + 1} can be dropped")
    if LEVEL.get(technique, 4) <= 3:
        if steps:
            found.append(f"{technique} takes no steps, found {len(steps)}")
        if single["kind"] != technique:
            found.append(f"a {technique} question ends in a {single['kind']} single")
    else:
        if not any(step["technique"] == technique for step in steps):
            found.append(f"no step of {technique}")
        harder = [n for n, step in numbered if step["technique"] not in allowed_steps(technique)]
        if harder:
            found.append(f"steps {harder} are harder than {technique}")
        if check_needs and not needs(values, explanation["cell"], explanation["digit"],
                                     NUMBER[technique]):
            found.append(f"the question does not need exactly {technique}")
    text = explanation["text"]
    if len(text) != len(steps) + 1:
        found.append(f"{len(text)} text lines for {len(steps)} steps and the single")
    for number, line in enumerate(text, start=1):
        if not line.strip() or any(ord(c) < 0x20 for c in line):
            found.append(f"text line {number} is empty or holds a control character")
    return found


def check_line(line, check_needs=False):
    """(technique or "unfit" or None, number of steps, violations) of one output line."""
    try:
        obj = json.loads(line)
    except ValueError as fault:
        return None, 0, [f"not JSON: {fault}"]
    if json.dumps(obj, ensure_ascii=False) != line:
        return None, 0, ["not written as one line with \", \" and \": \" separators"]
    if isinstance(obj, dict) and list(obj) == ["puzzle", "fit"] and obj["fit"] is False:
        return "unfit", 0, []
    try:
        explanation = read_shape(obj)
    except Wrong as fault:
        return None, 0, [str(fault)]
    return (explanation["technique"], len(explanation["steps"]),
            violations(explanation, check_needs))


def puzzle_of(line):
    try:
        return str(json.loads(line)["puzzle"])
    except (ValueError, TypeError, KeyError):
        return "?"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument(
        "--require-fit", action="store_true", help="count unfit positions as violations"
    )
    parser.add_argument(
        "--needs", action="store_true",
        help="check that every question of technique 4 and above needs exactly its technique")
    arguments = parser.parse_args()

    steps = {name: [] for name in TECHNIQUES}
    unfit = faults = 0
    for number, line in enumerate(sys.stdin.read().splitlines(), start=1):
        if not line.strip():
            continue
        technique, count, found = check_line(line, arguments.needs)
        if technique == "unfit":
            unfit += 1
            if arguments.require_fit:
                found = ["an unfit position"]
        elif technique is not None:
            steps[technique].append(count)
        for message in found:
            faults += 1
            print(f"line {number} ({puzzle_of(line)}): {message}")

    print(f"{'technique':<17} {'count':>6} {'steps min':>10} {'median':>7} {'max':>4}")
    for name in TECHNIQUES:
        counts = steps[name]
        if counts:
            median = f"{statistics.median(counts):g}"
            print(f"{name:<17} {len(counts):>6} {min(counts):>10} {median:>7} {max(counts):>4}")
        else:
            print(f"{name:<17} {0:>6} {'-':>10} {'-':>7} {'-':>4}")
    print(f"unfit: {unfit}")
    print(f"violations: {faults}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
