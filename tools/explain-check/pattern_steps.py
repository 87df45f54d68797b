"""The steps beyond subsets, checked on the checker's own candidates.

Each check takes a step (cells and units as numbers) and the candidates the
steps before it left, and returns the candidates its pattern allows to be
removed, or raises Wrong.
"""

from grid_model import (CELL_NAMES, UNIT_NAMES, UNIT_SETS, box_of, is_col, is_row,
                        placed, places, sees)
from needs import colouring_takes, refuted


class Wrong(Exception):
    """What makes an explanation fail, in words."""


def require(condition, message):
    if not condition:
        raise Wrong(message)


def link(values, candidates, unit, digit, cells):
    require(digit not in placed(values, unit), f"{digit} is placed in {UNIT_NAMES[unit]}")
    where = places(values, candidates, unit, digit)
    require(
        sorted(where) == sorted(cells),
        f"the places of {digit} in {UNIT_NAMES[unit]} are "
        f"{[CELL_NAMES[i] for i in where]}, not {[CELL_NAMES[i] for i in cells]}",
    )


def holds_only(values, candidates, cell, digits):
    require(not values[cell], f"{CELL_NAMES[cell]} is not open")
    require(
        candidates[cell] == set(digits),
        f"the candidates of {CELL_NAMES[cell]} are {sorted(candidates[cell])}, "
        f"not {sorted(digits)}",
    )


def seen_by(cells, pattern, digit):
    return {(i, digit) for i in range(81)
            if i not in pattern and all(sees(i, c) for c in cells)}


def fish(step, values, candidates, size):
    base, cover, digits = step["units"], step["cover"], step["digits"]
    require(len(digits) == 1, "a fish needs one digit")
    require(len(base) == size and len(cover) == size, f"a fish of {size} needs {size} lines each")
    rows = is_row(base[0])
    require(all(is_row(u) if rows else is_col(u) for u in base)
            and all(is_col(u) if rows else is_row(u) for u in cover),
            "the base lines must be rows and the cover columns, or the other way round")
    digit = digits[0]
    inside = []
    for line in base:
        require(digit not in placed(values, line), f"{digit} is placed in {UNIT_NAMES[line]}")
        where = places(values, candidates, line, digit)
        require(len(where) >= 2, f"{digit} has fewer than two places in {UNIT_NAMES[line]}")
        for i in where:
            require(any(i in UNIT_SETS[c] for c in cover),
                    f"{CELL_NAMES[i]} of {UNIT_NAMES[line]} is outside the cover lines")
        inside += where
    require(sorted(inside) == step["cells"], "the cells are not the places in the base lines")
    for c in cover:
        require(UNIT_SETS[c] & set(inside), f"{UNIT_NAMES[c]} covers no place")
    base_cells = set().union(*(UNIT_SETS[u] for u in base))
    return {(i, digit) for c in cover for i in UNIT_SETS[c] - base_cells}


def chain(step, values, candidates, is_kite):
    require(len(step["digits"]) == 1 and len(step["cells"]) == 4 and len(step["units"]) == 2,
            "a single-digit chain needs one digit, four cells and two units")
    digit = step["digits"][0]
    a2, a1, b1, b2 = step["cells"]
    first, second = step["units"]
    link(values, candidates, first, digit, [a2, a1])
    link(values, candidates, second, digit, [b1, b2])
    require(sees(a1, b1), f"{CELL_NAMES[a1]} does not see {CELL_NAMES[b1]}")
    if is_kite:
        require(is_row(first) and is_col(second), "a kite needs a row, then a column")
        box = box_of(a1)
        require(box_of(b1) == box and box_of(a2) != box and box_of(b2) != box,
                "a kite's inner ends share a box and its outer ends lie outside it")
    else:
        same = is_row(first) and is_row(second) or is_col(first) and is_col(second)
        require(same, "a skyscraper needs two rows or two columns")
        cross = (lambda i: i % 9) if is_row(first) else (lambda i: i // 9)
        require(cross(a1) == cross(b1) and cross(a2) != cross(b2),
                "a skyscraper's inner ends share a line and its outer ends do not")
    return seen_by([a2, b2], step["cells"], digit)


def wing(step, values, candidates, three):
    require(len(step["cells"]) == 3 and len(step["digits"]) == 3 and not step["units"],
            "a wing needs three cells, three digits and no unit")
    x, y, z = step["digits"]
    pivot, a, b = step["cells"]
    holds_only(values, candidates, pivot, {x, y, z} if three else {x, y})
    holds_only(values, candidates, a, {x, z})
    holds_only(values, candidates, b, {y, z})
    require(sees(pivot, a) and sees(pivot, b), "the pivot must see both pincers")
    return seen_by([pivot, a, b] if three else [a, b], step["cells"], z)


def w_wing(step, values, candidates):
    require(len(step["cells"]) == 4 and len(step["digits"]) == 2 and len(step["units"]) == 1,
            "a W-Wing needs four cells, two digits and one unit")
    x, y = step["digits"]
    w1, c1, c2, w2 = step["cells"]
    holds_only(values, candidates, w1, {x, y})
    holds_only(values, candidates, w2, {x, y})
    require(not sees(w1, w2), "the two cells of a W-Wing see each other")
    link(values, candidates, step["units"][0], x, [c1, c2])
    require(sees(c1, w1) and sees(c2, w2), "the link's ends must see the two cells")
    return seen_by([w1, w2], [w1, w2], y)


def colouring(step, values, candidates):
    cells, colours, links = step["cells"], step["colours"], step["links"]
    require(len(step["digits"]) == 1 and not step["units"], "colouring needs one digit, no unit")
    require(len(colours) == len(cells) and set(colours) <= {0, 1}, "one colour 0 or 1 a cell")
    digit = step["digits"][0]
    reached = {0}
    for i, j, unit in links:
        require(0 <= i < len(cells) and 0 <= j < len(cells), f"link [{i}, {j}] is off the cells")
        link(values, candidates, unit, digit, [cells[i], cells[j]])
        require(colours[i] != colours[j], f"link [{i}, {j}] joins one colour")
    for _ in cells:
        reached |= {j for i, j, _ in links if i in reached} | {i for i, j, _ in links if j in reached}
    require(len(reached) == len(cells), "the cells are not one chain")
    colour = dict(zip(cells, colours))
    return {(i, digit) for i in colouring_takes(values, candidates, digit, colour)}


def assumption(step, values, candidates, keep_off):
    cells, units, digits = step["cells"], step["units"], step["digits"]
    require(len(digits) == 2 and len(cells) >= 2 and len(units) == len(cells),
            "an assumption needs two digits and a unit for each cell")
    cell, assumed, watched = cells[0], digits[0], digits[1]
    require(not values[cell] and len(candidates[cell]) == 2 and assumed in candidates[cell],
            f"{CELL_NAMES[cell]} does not hold two candidates with {assumed}")
    other = next(iter(candidates[cell] - {assumed}))
    require(watched == (assumed if keep_off else other), f"{watched} is not the watched digit")
    require(refuted(values, candidates, cell, assumed, watched),
            f"assuming {assumed} in {CELL_NAMES[cell]} does not block {watched}")
    # The forced places in order, each the one place of its unit at its turn.
    values, candidates = list(values), [set(c) for c in candidates]
    trial = [(cell, assumed)] + [(place, watched) for place in cells[1:]]
    for number, (place, digit) in enumerate(trial):
        if number:
            unit = units[number]
            require(places(values, candidates, unit, watched) == [place]
                    and watched not in placed(values, unit),
                    f"{CELL_NAMES[place]} is not the one place of {watched} in {UNIT_NAMES[unit]}")
        values[place] = digit
        candidates[place] = set()
        for j in range(81):
            if sees(j, place):
                candidates[j].discard(digit)
    require(not any(watched not in placed(values, u) and len(places(values, candidates, u,
                                                                     watched)) == 1
                    for u in range(27)), f"the forced places of {watched} go on")
    require(watched not in placed(values, units[0]) and not places(values, candidates, units[0],
                                                                  watched),
            f"{UNIT_NAMES[units[0]]} keeps a place for {watched}")
    return {(cell, assumed)}


CHECKS = {
    "smXWing": lambda s, v, c: fish(s, v, c, 2),
    "smSwordfish": lambda s, v, c: fish(s, v, c, 3),
    "smSkyscraper": lambda s, v, c: chain(s, v, c, False),
    "sm2StringKite": lambda s, v, c: chain(s, v, c, True),
    "smXYWing": lambda s, v, c: wing(s, v, c, False),
    "smXYZWing": lambda s, v, c: wing(s, v, c, True),
    "smWWing": w_wing,
    "smSimpleColouring": colouring,
    "smKeepOff": lambda s, v, c: assumption(s, v, c, True),
    "smGetOut": lambda s, v, c: assumption(s, v, c, False),
}
