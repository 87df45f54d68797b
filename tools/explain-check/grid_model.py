"""The checker's own grid: cells, units, who sees whom, and candidates from the givens."""

# Cells are 0..80 row by row from the top-left; units 0..8 rows, 9..17
# columns, 18..26 boxes left to right, then top to bottom.
UNITS = (
    [[9 * r + c for c in range(9)] for r in range(9)]
    + [[9 * r + c for r in range(9)] for c in range(9)]
    + [[9 * (b // 3 * 3 + k // 3) + b % 3 * 3 + k % 3 for k in range(9)] for b in range(9)]
)
UNIT_SETS = [frozenset(cells) for cells in UNITS]
UNIT_NAMES = (
    [f"row {n}" for n in range(1, 10)]
    + [f"column {chr(ord('A') + n)}" for n in range(9)]
    + [f"box {n}" for n in range(1, 10)]
)
CELL_NAMES = [chr(ord("A") + i % 9) + str(i // 9 + 1) for i in range(81)]
CELL_OF = {name: i for i, name in enumerate(CELL_NAMES)}
UNIT_OF = {name: u for u, name in enumerate(UNIT_NAMES)}
CELL_UNITS = [[u for u in range(27) if i in UNIT_SETS[u]] for i in range(81)]
PEERS = [frozenset(j for u in CELL_UNITS[i] for j in UNITS[u]) - {i} for i in range(81)]
DIGITS = range(1, 10)


def is_box(unit):
    return unit >= 18


def is_row(unit):
    return unit < 9


def is_col(unit):
    return 9 <= unit < 18


def sees(a, b):
    return b in PEERS[a]


def box_of(cell):
    return CELL_UNITS[cell][2]


def given_candidates(values):
    """Each cell's candidates once every given has removed its digit from its units."""
    candidates = []
    for i in range(81):
        if values[i]:
            candidates.append(set())
            continue
        candidates.append(set(DIGITS) - {values[j] for j in PEERS[i]})
    return candidates


def placed(values, unit):
    return {values[i] for i in UNITS[unit]} - {0}


def places(values, candidates, unit, digit):
    return [i for i in UNITS[unit] if not values[i] and digit in candidates[i]]


def singles(values, candidates):
    """Every (cell, digit) that is a single: a cell's one candidate, a digit's one place."""
    found = {(i, next(iter(c))) for i, c in enumerate(candidates) if not values[i] and len(c) == 1}
    for unit in range(27):
        held = placed(values, unit)
        for digit in DIGITS:
            where = places(values, candidates, unit, digit)
            if digit not in held and len(where) == 1:
                found.add((where[0], digit))
    return found
