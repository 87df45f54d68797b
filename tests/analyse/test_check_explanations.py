#!/usr/bin/env python3
"""The explanation checker rejects broken copies of sound explanations, each for its own fault.

Usage: test_check_explanations.py KUMOJI_ANALYSE CHECK_EXPLANATIONS_PY
"""

import copy
import json
import os
import subprocess
import sys
import unittest

TOOL, CHECKER = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.dirname(os.path.abspath(CHECKER)))
import check_explanations as check  # noqa: E402


def explanations():
    """Sound explanations of fresh questions, up to four of each technique, by technique."""
    questions = "".join(
        subprocess.run(
            [TOOL, "--generate", "4", "--technique", str(t), "--seed", str(40 + t)],
            check=True,
            capture_output=True,
            text=True,
        ).stdout
        for t in list(range(1, 9)) + list(range(10, 18))
    )
    # A question the tool cannot explain, or explains wrongly, is the other
    # test's fault to report; here only the sound ones serve.
    out = subprocess.run(
        [TOOL, "--explain", "--json", "--jobs", "1"],
        input=questions,
        capture_output=True,
        text=True,
    ).stdout
    found = {name: [] for name in check.TECHNIQUES}
    for line in out.splitlines():
        if not check.check_line(line)[2]:
            obj = json.loads(line)
            found[obj["technique"]].append(obj)
    return found


def line_of(obj):
    return json.dumps(obj, ensure_ascii=False)


def faults(obj):
    return check.check_line(line_of(obj))[2]


def candidates_before(obj, count):
    """The candidates the givens and the first count steps leave."""
    explanation = check.read_shape(obj)
    candidates = check.given_candidates(explanation["values"])
    for step in explanation["steps"][:count]:
        check.apply_step(step, explanation["values"], candidates)
    return explanation, candidates


def spare_locked_step(obj):
    """A sound locked-candidates step on the givens that touches nothing the
    explanation looks at, so prepending it leaves every pattern and the single
    as they were; None when the position has none."""
    explanation, candidates = candidates_before(obj, 0)
    values = explanation["values"]
    looked_at = {explanation["single"]["cell"]}
    units = [u for step in explanation["steps"] for u in step["units"]]
    if explanation["single"]["unit"] is not None:
        units.append(explanation["single"]["unit"])
    for unit in units:
        looked_at |= check.UNIT_SETS[unit]
    for box in range(18, 27):
        for line in range(18):
            for digit in range(1, 10):
                where = check.places(values, candidates, box, digit)
                if not where or not set(where) <= check.UNIT_SETS[line]:
                    continue
                removes = [
                    i
                    for i in check.UNITS[line]
                    if i not in check.UNIT_SETS[box] and digit in candidates[i]
                ]
                if removes and not set(removes) & looked_at:
                    return {
                        "technique": "smMyReserved",
                        "digits": [digit],
                        "cells": [check.CELL_NAMES[i] for i in sorted(where)],
                        "units": [check.UNIT_NAMES[box], check.UNIT_NAMES[line]],
                        "removes": [{"cell": check.CELL_NAMES[i], "digit": digit} for i in removes],
                    }
    return None


class CheckerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.found = explanations()
        cls.stepped = [obj for name in check.PATTERNS for obj in cls.found[name]]
        cls.subsets = [obj for name in check.SUBSETS for obj in cls.found[name]]

    def assertFault(self, obj, words):
        found = faults(obj)
        self.assertTrue(any(words in f for f in found), f"{words!r} not in {found}")

    def test_enough_sound_explanations_to_break(self):
        for name in check.TECHNIQUES:
            self.assertGreaterEqual(len(self.found[name]), 2, name)

    def test_every_step_is_needed_to_reach_the_single(self):
        for obj in self.stepped:
            for k in range(len(obj["steps"])):
                broken = copy.deepcopy(obj)
                del broken["steps"][k]
                del broken["text"][k]
                self.assertTrue(faults(broken), line_of(broken))

    def test_removals_must_be_allowed_by_the_pattern_and_present(self):
        for obj in self.stepped:
            repeated = copy.deepcopy(obj)
            repeated["steps"].insert(1, repeated["steps"][0])
            repeated["text"].insert(1, "again")
            # An assumption repeated no longer finds its cell with two candidates.
            assumed = repeated["steps"][0]["technique"] in ("smKeepOff", "smGetOut")
            self.assertFault(repeated, "two candidates" if assumed else "is no candidate")

            explanation, candidates = candidates_before(obj, 0)
            step = explanation["steps"][0]
            allowed = check.PATTERN_CHECKS[step["technique"]](
                step, explanation["values"], candidates
            )
            extra = next(
                (i, d)
                for i in range(81)
                for d in sorted(candidates[i])
                if (i, d) not in allowed and (i, d) not in step["removes"]
            )
            broken = copy.deepcopy(obj)
            cell, digit = extra
            broken["steps"][0]["removes"].append({"cell": check.CELL_NAMES[cell], "digit": digit})
            self.assertFault(broken, "does not allow")

    def test_patterns_must_hold(self):
        for obj in self.subsets:
            explanation, candidates = candidates_before(obj, 0)
            values, step = explanation["values"], explanation["steps"][0]
            first = step["units"][0]
            open_cells = [i for i in check.UNITS[first] if not values[i]]
            broken = copy.deepcopy(obj)
            changed = broken["steps"][0]
            if step["technique"] == "smMyReserved":
                # Another unit of the second kind through the first unit, which
                # cannot hold all the digit's places too.
                other = next(
                    u
                    for u in range(27)
                    if check.is_box(u) == check.is_box(step["units"][1])
                    and u != step["units"][1]
                    and check.UNIT_SETS[u] & check.UNIT_SETS[first]
                )
                changed["units"][1] = check.UNIT_NAMES[other]
                words = "leave"
            elif step["technique"] == "smYourReserved":
                outside = next(
                    i
                    for i in open_cells
                    if i not in step["cells"] and candidates[i] - set(step["digits"])
                )
                changed["cells"][-1] = check.CELL_NAMES[outside]
                words = "the candidates of"
            else:
                outside = next(
                    i
                    for i in open_cells
                    if i not in step["cells"] and not candidates[i] & set(step["digits"])
                )
                changed["cells"][-1] = check.CELL_NAMES[outside]
                words = "the places of"
            self.assertFault(broken, words)
            if step["technique"] != "smMyReserved":
                short = copy.deepcopy(obj)
                short["steps"][0]["cells"].pop()
                self.assertFault(short, "cells")

    def test_a_spare_step_breaks_minimality(self):
        tried = 0
        for obj in self.subsets:
            spare = spare_locked_step(obj)
            if spare is None:
                continue
            tried += 1
            broken = copy.deepcopy(obj)
            broken["steps"].insert(0, spare)
            broken["text"].insert(0, "spare")
            self.assertEqual(faults(broken), ["not minimal: step 1 can be dropped"])
        self.assertGreater(tried, 0)

    def test_the_single_must_be_the_move_and_hold(self):
        for name in check.TECHNIQUES:
            for obj in self.found[name]:
                moved = copy.deepcopy(obj)
                moved["single"]["digit"] = obj["digit"] % 9 + 1
                self.assertFault(moved, "not the move")
                if obj["single"]["unit"] is not None:
                    unitless = copy.deepcopy(obj)
                    unitless["single"]["unit"] = None
                    self.assertFault(unitless, "needs a unit")

    def test_steps_must_be_true_to_the_technique(self):
        for obj in self.found["smYourReserved"] + self.found["smOurReserved"]:
            easier = dict(obj, technique="smMyReserved")
            self.assertFault(easier, "harder than smMyReserved")
        for obj in self.found["smMyReserved"]:
            self.assertFault(dict(obj, technique="smOurReserved"), "no step of smOurReserved")
        for obj in self.found["smLeftPlace"]:
            self.assertFault(dict(obj, technique="smEmptyCell"), "ends in a smLeftPlace single")
            stepped = copy.deepcopy(obj)
            stepped["steps"] = copy.deepcopy(self.stepped[0]["steps"][:1])
            stepped["text"].insert(0, "step")
            self.assertFault(stepped, "takes no steps")

    def test_patterns_beyond_subsets_must_hold(self):
        def broken(name, change, words):
            for obj in self.found[name]:
                copied = copy.deepcopy(obj)
                step = next(s for s in copied["steps"] if s["technique"] == name)
                change(step)
                self.assertFault(copied, words)

        def other_line(units):
            return next(n for n in check.UNIT_NAMES[:18]
                        if n not in units and (n[0] == units[0][0]))

        for fish in ("smXWing", "smSwordfish"):
            broken(fish, lambda s: s.update(cover=s["cover"][:-1] + [other_line(s["cover"])]),
                   "outside the cover lines")
            broken(fish, lambda s: s.update(cells=s["cells"][1:]), "not the places")
            broken(fish, lambda s: s.update(units=s["units"][:-1]), "lines each")
        for chain in ("smSkyscraper", "sm2StringKite"):
            broken(chain, lambda s: s.update(units=s["units"][::-1]), "the places of")
            broken(chain, lambda s: s.update(cells=[s["cells"][1], s["cells"][0]]
                                                    + s["cells"][2:]), "")
        for wing in ("smXYWing", "smXYZWing"):
            broken(wing, lambda s: s.update(digits=[s["digits"][1], s["digits"][0],
                                                    s["digits"][2]]), "the candidates of")
        def away_from_link(step):
            c1 = check.CELL_OF[step["cells"][1]]
            step["units"] = [next(n for u, n in enumerate(check.UNIT_NAMES)
                                  if c1 not in check.UNIT_SETS[u])]

        broken("smWWing", away_from_link, "")
        broken("smSimpleColouring", lambda s: s.update(colours=[1 - s["colours"][0]]
                                                       + s["colours"][1:]), "one colour")
        broken("smSimpleColouring", lambda s: s.update(links=s["links"][1:]), "one chain")
        for assumption in ("smKeepOff", "smGetOut"):
            broken(assumption, lambda s: s.update(digits=[s["digits"][0], s["digits"][1] % 9 + 1]),
                   "is not the watched digit")
            broken(assumption, lambda s: s.update(units=[s["units"][1]] + s["units"][1:]), "")
            broken(assumption, lambda s: s.update(cells=s["cells"][:-1],
                                                  units=s["units"][:-1]), "")

    def test_a_question_must_need_exactly_its_technique(self):
        # Each question needs its own technique and no other: one a technique
        # before it solves needs neither that one (a single is left over) nor
        # the later one (the earlier ones already leave a single).
        for name, others in [("smXWing", [4, 6, 11, 13]), ("smSwordfish", [10, 14]),
                             ("smSimpleColouring", [16, 7]), ("smKeepOff", [8, 17]),
                             ("smGetOut", [7, 17]), ("smOurReserved", [5, 10])]:
            for obj in self.found[name]:
                values = [int(c) for c in obj["puzzle"]]
                move = (values, check.CELL_OF[obj["cell"]], obj["digit"])
                self.assertTrue(check.needs(*move, check.NUMBER[name]), name)
                for other in others:
                    self.assertFalse(check.needs(*move, other), f"{name} as {other}")
        for name in check.PATTERNS:
            for obj in self.found[name]:
                self.assertEqual(check.check_line(line_of(obj), True)[2], [], name)

    def test_text_and_line_format(self):
        obj = self.stepped[0]
        self.assertFault(dict(obj, text=obj["text"][1:]), "text lines for")
        self.assertFault(dict(obj, text=["a\nb"] + obj["text"][1:]), "control character")
        line = line_of(obj)
        for wrong in [line.replace(", ", ","), line + " ", line[:-1]]:
            self.assertTrue(check.check_line(wrong)[2], wrong)
        self.assertFault(dict(obj, fit=True), "has keys")
        reordered = {key: obj[key] for key in reversed(list(obj))}
        self.assertFault(reordered, "has keys")
        unfit = {"puzzle": obj["puzzle"], "fit": False}
        self.assertEqual(check.check_line(line_of(unfit)), ("unfit", 0, []))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
