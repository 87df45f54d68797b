"""What a question needs, judged on the checker's own candidates and passes.

A question needs technique T when the general locked candidates, naked and
hidden subsets of 2 to 4 cells and every technique from 10 below T (for 7
and 8: all of 10 to 17), applied until none removes anything, leave no
single, and T's own pass leaves the move as the only single. For 7 and 8,
keep off (for 8: none, and get out) finds the move on the givens' candidates.
"""

from itertools import combinations

from grid_model import (DIGITS, PEERS, UNITS, UNIT_SETS, box_of, given_candidates, is_box,
                        placed, places, sees, singles)

NAMES = {4: "smMyReserved", 5: "smYourReserved", 6: "smOurReserved", 7: "smKeepOff",
         8: "smGetOut", 10: "smXWing", 11: "smSkyscraper", 12: "sm2StringKite",
         13: "smSwordfish", 14: "smXYWing", 15: "smXYZWing", 16: "smWWing",
         17: "smSimpleColouring"}
NUMBER = {name: number for number, name in NAMES.items()}


def take(candidates, cells, digit):
    """Removes digit from cells; True when some cell had it."""
    changed = False
    for i in cells:
        if digit in candidates[i]:
            candidates[i].discard(digit)
            changed = True
    return changed


def locked(values, candidates):
    changed = False
    for box in range(18, 27):
        for line in range(18):
            if not UNIT_SETS[box] & UNIT_SETS[line]:
                continue
            for digit in DIGITS:
                for inner, outer in ((box, line), (line, box)):
                    where = places(values, candidates, inner, digit)
                    if digit in placed(values, inner) or not where:
                        continue
                    if set(where) <= UNIT_SETS[outer]:
                        changed |= take(candidates, UNIT_SETS[outer] - UNIT_SETS[inner], digit)
    return changed


def naked_in(values, candidates, unit):
    """The first naked subset of the unit that takes something, applied."""
    open_cells = [i for i in UNITS[unit] if not values[i] and 2 <= len(candidates[i]) <= 4]
    for size in (2, 3, 4):
        for cells in combinations(open_cells, size):
            union = set().union(*(candidates[i] for i in cells))
            if len(union) == size and any(
                    take(candidates, UNIT_SETS[unit] - set(cells), digit) for digit in union):
                for digit in union:
                    take(candidates, UNIT_SETS[unit] - set(cells), digit)
                return True
    return False


def hidden_in(values, candidates, unit):
    """The first hidden subset of the unit that takes something, applied."""
    held = placed(values, unit)
    where = {d: places(values, candidates, unit, d) for d in DIGITS if d not in held}
    open_digits = [d for d, cells in where.items() if 2 <= len(cells) <= 4]
    for size in (2, 3, 4):
        for digits in combinations(open_digits, size):
            cells = set().union(*(where[d] for d in digits))
            if len(cells) == size and any(candidates[i] - set(digits) for i in cells):
                for i in cells:
                    candidates[i] &= set(digits)
                return True
    return False


def naked(values, candidates):
    # A unit is read again after each subset, so that each is one of the
    # candidates as they are.
    changed = False
    for unit in range(27):
        while naked_in(values, candidates, unit):
            changed = True
    return changed


def hidden(values, candidates):
    changed = False
    for unit in range(27):
        while hidden_in(values, candidates, unit):
            changed = True
    return changed


def fish(values, candidates, size):
    changed = False
    for digit in DIGITS:
        for base_first, cover_first in ((0, 9), (9, 0)):
            lines = []
            for line in range(base_first, base_first + 9):
                where = places(values, candidates, line, digit)
                if digit not in placed(values, line) and 2 <= len(where) <= size:
                    lines.append((line, where))
            for chosen in combinations(lines, size):
                base_cells = {i for _, where in chosen for i in where}
                cover = {cover_first + (i % 9 if base_first == 0 else i // 9) for i in base_cells}
                if len(cover) == size:
                    rest = set().union(*(UNIT_SETS[c] for c in cover))
                    rest -= set().union(*(UNIT_SETS[line] for line, _ in chosen))
                    changed |= take(candidates, rest, digit)
    return changed


def conjugates(values, candidates, digit, units=range(27)):
    """(unit, [a, b]) for every unit where digit has exactly two places."""
    pairs = []
    for unit in units:
        where = places(values, candidates, unit, digit)
        if digit not in placed(values, unit) and len(where) == 2:
            pairs.append((unit, where))
    return pairs


def seen_by_all(cells, pattern):
    return set(range(81)).difference(pattern).intersection(*(PEERS[c] for c in cells))


def skyscraper(values, candidates):
    changed = False
    for digit in DIGITS:
        for lines in (range(9), range(9, 18)):
            for (_, p), (_, q) in combinations(conjugates(values, candidates, digit, lines), 2):
                cross = (lambda i: i % 9) if lines[0] == 0 else (lambda i: i // 9)
                common = {cross(i) for i in p} & {cross(i) for i in q}
                if len(common) != 1:
                    continue
                a2 = next(i for i in p if cross(i) not in common)
                b2 = next(i for i in q if cross(i) not in common)
                changed |= take(candidates, seen_by_all([a2, b2], p + q), digit)
    return changed


def kite(values, candidates):
    changed = False
    for digit in DIGITS:
        for _, row in conjugates(values, candidates, digit, range(9)):
            for _, col in conjugates(values, candidates, digit, range(9, 18)):
                for a1 in row:
                    for b1 in col:
                        a2 = next(i for i in row if i != a1)
                        b2 = next(i for i in col if i != b1)
                        box = box_of(a1)
                        if a1 != b1 and box_of(b1) == box and box_of(a2) != box != box_of(b2):
                            changed |= take(candidates, seen_by_all([a2, b2], row + col), digit)
    return changed


def xy_wing(values, candidates, three):
    changed = False
    pairs = [i for i in range(81) if not values[i] and len(candidates[i]) == 2]
    pivots = [i for i in range(81) if not values[i] and len(candidates[i]) == (3 if three else 2)]
    for pivot in pivots:
        for a, b in combinations([i for i in pairs if sees(i, pivot)], 2):
            common = candidates[a] & candidates[b]
            if len(common) != 1 or candidates[a] == candidates[b]:
                continue
            z = next(iter(common))
            if candidates[a] | candidates[b] != candidates[pivot] | ({z} if not three else set()):
                continue
            if not three and z in candidates[pivot]:
                continue
            seers = [pivot, a, b] if three else [a, b]
            changed |= take(candidates, seen_by_all(seers, [pivot, a, b]), z)
    return changed


def w_wing(values, candidates):
    changed = False
    pairs = [i for i in range(81) if not values[i] and len(candidates[i]) == 2]
    for w1, w2 in combinations(pairs, 2):
        if candidates[w1] != candidates[w2] or sees(w1, w2):
            continue
        for x in candidates[w1]:
            y = next(iter(candidates[w1] - {x}))
            for _, (c1, c2) in conjugates(values, candidates, x):
                if {c1, c2} & {w1, w2}:
                    continue
                if (sees(c1, w1) and sees(c2, w2)) or (sees(c2, w1) and sees(c1, w2)):
                    changed |= take(candidates, seen_by_all([w1, w2], [w1, w2]), y)
    return changed


def colour_chains(values, candidates, digit):
    """(colour of each cell, links) of every chain of the digit's conjugate pairs."""
    links = conjugates(values, candidates, digit)
    colour_of, chains = {}, []
    for unit, (start, _) in links:
        if start in colour_of:
            continue
        colour, todo = {start: 0}, [start]
        while todo:
            cell = todo.pop()
            for _, pair in links:
                if cell in pair:
                    other = pair[1] if pair[0] == cell else pair[0]
                    if other not in colour:
                        colour[other] = 1 - colour[cell]
                        todo.append(other)
        colour_of.update(colour)
        chains.append((colour, [(u, p) for u, p in links if p[0] in colour]))
    return chains


def colouring_takes(values, candidates, digit, colour):
    """What one chain takes: a colour whose cells see each other, or what sees both colours."""
    for side in (0, 1):
        cells = [c for c, k in colour.items() if k == side]
        if any(sees(a, b) for a, b in combinations(cells, 2)):
            return set(cells)
    return {i for i in range(81) if i not in colour
            and any(sees(i, c) for c, k in colour.items() if k == 0)
            and any(sees(i, c) for c, k in colour.items() if k == 1)}


def colouring(values, candidates):
    changed = False
    for digit in DIGITS:
        for colour, _ in colour_chains(values, candidates, digit):
            changed |= take(candidates, colouring_takes(values, candidates, digit, colour), digit)
    return changed


PASSES = {
    10: lambda v, c: fish(v, c, 2), 11: skyscraper, 12: kite, 13: lambda v, c: fish(v, c, 3),
    14: lambda v, c: xy_wing(v, c, False), 15: lambda v, c: xy_wing(v, c, True), 16: w_wing,
    17: colouring,
}


def exhaust(values, candidates, highest):
    """The general passes up to highest, cheapest first, until none removes anything."""
    ladder = [(4, locked), (5, naked), (6, hidden)] + sorted(PASSES.items())
    while any(number <= highest and run(values, candidates) for number, run in ladder):
        pass


def set_value(values, candidates, cell, digit):
    values[cell] = digit
    candidates[cell] = set()
    for j in PEERS[cell]:
        candidates[j].discard(digit)


def refuted(values, candidates, cell, assumed, watched):
    """Assuming assumed in cell and placing watched wherever forced leaves it no place."""
    values, candidates = list(values), [set(c) for c in candidates]
    set_value(values, candidates, cell, assumed)
    forced = 0
    order = list(range(18, 27)) + list(range(18))
    while True:
        place = next((w[0] for u in order
                      for w in [places(values, candidates, u, watched)]
                      if watched not in placed(values, u) and len(w) == 1), None)
        if place is None:
            break
        set_value(values, candidates, place, watched)
        forced += 1
    return forced > 0 and any(
        watched not in placed(values, u) and not places(values, candidates, u, watched)
        for u in range(27))


def assumption_move(values, candidates, watch_other):
    """The first move of keep off (or get out): (cell, digit), or None."""
    for cell in range(81):
        if values[cell] or len(candidates[cell]) != 2:
            continue
        a, b = sorted(candidates[cell])
        for assumed, other in ((a, b), (b, a)):
            if refuted(values, candidates, cell, assumed, other if watch_other else assumed):
                return cell, other
    return None


def needs(values, cell, digit, technique):
    """Whether the move (cell, digit) of the givens needs exactly the technique (a number)."""
    candidates = given_candidates(values)
    given = [set(c) for c in candidates]
    below = {4: 3, 5: 4, 6: 5, 7: 17, 8: 17, 10: 6}.get(technique, technique - 1)
    exhaust(values, candidates, below)
    if singles(values, candidates):
        return False
    if technique in (7, 8):
        if technique == 8 and assumption_move(values, given, False):
            return False
        if assumption_move(values, given, technique == 8) != (cell, digit):
            return False
        candidates[cell] = {digit}
    else:
        exhaust(values, candidates, technique)
    return singles(values, candidates) == {(cell, digit)}
