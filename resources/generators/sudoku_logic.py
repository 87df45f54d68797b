"""A small model of the game's deduction techniques, used to find and check the worked
examples of the help page. Cells are indexed col + 9 * row; masks have bit d-1 for d."""

import random

ROWS = [[c + 9 * r for c in range(9)] for r in range(9)]
COLS = [[c + 9 * r for r in range(9)] for c in range(9)]
BOXES = [[(bc * 3 + c) + 9 * (br * 3 + r) for r in range(3) for c in range(3)]
         for br in range(3) for bc in range(3)]
UNITS = ROWS + COLS + BOXES
PEERS = [sorted({p for u in UNITS if i in u for p in u} - {i}) for i in range(81)]
ALL = 511


def cell_name(i):
    return "ABCDEFGHI"[i % 9] + str(i // 9 + 1)


def bits(mask):
    return [d for d in range(1, 10) if mask >> (d - 1) & 1]


def unit_jp(u):
    k = UNITS.index(u)
    if k < 9:
        return f"{k + 1}行目"
    if k < 18:
        return f"{'ABCDEFGHI'[k - 9]}列"
    return f"{cell_name(u[0])}〜{cell_name(u[-1])} のブロック"


def unit_en(u):
    k = UNITS.index(u)
    if k < 9:
        return f"row {k + 1}"
    if k < 18:
        return f"column {'ABCDEFGHI'[k - 9]}"
    return f"box {cell_name(u[0])}–{cell_name(u[-1])}"


def unit_name(u):
    return f"{unit_jp(u)} ({unit_en(u)})"


class Grid:
    def __init__(self, text=None):
        self.values = [0] * 81
        self.masks = [ALL] * 81
        if text:
            for i, ch in enumerate(text):
                if ch != "0":
                    self.set(i, int(ch))

    def copy(self):
        g = Grid()
        g.values = self.values[:]
        g.masks = self.masks[:]
        return g

    def set(self, i, d):
        self.values[i] = d
        self.masks[i] = 0
        for p in PEERS[i]:
            self.masks[p] &= ~(1 << (d - 1))

    def text(self):
        return "".join(str(v) for v in self.values)

    # singles -----------------------------------------------------------------------
    def find_empty_cell(self):
        for u in UNITS:
            empty = [i for i in u if self.values[i] == 0]
            digits = {self.values[i] for i in u if self.values[i]}
            if len(empty) == 1 and len(digits) == 8:
                return empty[0], (set(range(1, 10)) - digits).pop()
        return None

    def places(self, u, d):
        if any(self.values[i] == d for i in u):
            return None
        return [i for i in u if self.masks[i] >> (d - 1) & 1]

    def find_left_place(self, d):
        for u in UNITS:
            p = self.places(u, d)
            if p is not None and len(p) == 1:
                return p[0], d, u
        return None

    def find_missing_number(self):
        for i in range(81):
            if self.values[i] == 0 and len(bits(self.masks[i])) == 1:
                return i, bits(self.masks[i])[0]
        return None

    def find_single(self):
        m = self.find_missing_number()
        if m:
            return m[0], m[1], 3
        e = self.find_empty_cell()
        if e:
            return e[0], e[1], 1
        for d in range(1, 10):
            lp = self.find_left_place(d)
            if lp:
                return lp[0], d, 2
        return None

    # reservations ------------------------------------------------------------------
    def remove(self, cells, mask, log, why=None):
        for i in cells:
            if self.masks[i] & mask:
                for d in bits(self.masks[i] & mask):
                    log.append((i, d, why))
                self.masks[i] &= ~mask

    def apply_my_reserved(self, log):
        for box in BOXES:
            for line in ROWS + COLS:
                seg = [i for i in line if i in box]
                if len(seg) != 3:
                    continue
                s = l = b = 0
                for i in seg:
                    s |= self.masks[i]
                for i in line:
                    if i not in seg:
                        l |= self.masks[i]
                for i in box:
                    if i not in seg:
                        b |= self.masks[i]
                # Each removal keeps its reason: the reserved cells, the unit that confines
                # the digit to them, and the unit that loses it.
                self.remove([i for i in line if i not in seg], s & l & ~b, log, (seg, box, line))
                self.remove([i for i in box if i not in seg], s & b & ~l, log, (seg, line, box))

    def apply_your_reserved(self, log):
        for u in UNITS:
            empty = [i for i in u if self.values[i] == 0]
            for i in empty:
                m = self.masks[i]
                n = len(bits(m))
                if 2 <= n < len(empty):
                    group = [j for j in empty if self.masks[j] == m]
                    if len(group) == n:
                        self.remove([j for j in empty if j not in group], m, log, (group, u, u))

    def apply_our_reserved(self, log):
        for u in UNITS:
            pl = {d: self.places(u, d) for d in range(1, 10)}
            for d in range(1, 10):
                if not pl[d]:
                    continue
                ds = [e for e in range(1, 10) if pl[e] == pl[d]]
                if len(ds) == len(pl[d]) and ds[0] == d:
                    union = sum(1 << (e - 1) for e in ds)
                    self.remove(pl[d], ALL & ~union, log, (pl[d], u, u))

    def apply_reservations(self):
        for _ in range(11):
            log = []
            self.apply_my_reserved(log)
            self.apply_your_reserved(log)
            self.apply_our_reserved(log)
            if not log or self.find_missing_number():
                return

    # assumptions -------------------------------------------------------------------
    def find_forced_place(self, d):
        for u in BOXES + ROWS + COLS:
            p = self.places(u, d)
            if p is not None and len(p) == 1:
                return p[0]
        return None

    def digit_blocked(self, d):
        return any(self.places(u, d) == [] for u in UNITS)

    def test_assumption(self, assumed, i, watched):
        g = self.copy()
        g.set(i, assumed)
        placed = []
        while True:
            c = g.find_forced_place(watched)
            if c is None:
                break
            g.set(c, watched)
            placed.append(c)
        return bool(placed) and g.digit_blocked(watched), placed, g

    def two_candidate_cells(self):
        return [i for i in range(81) if self.values[i] == 0 and len(bits(self.masks[i])) == 2]

    def find_keep_off(self):
        for i in self.two_candidate_cells():
            a, b = bits(self.masks[i])
            for x, y in ((a, b), (b, a)):
                ok, placed, g = self.test_assumption(x, i, x)
                if ok:
                    return i, y, x, placed, g
        return None

    def find_get_out(self):
        for i in self.two_candidate_cells():
            a, b = bits(self.masks[i])
            for x, y in ((a, b), (b, a)):
                ok, placed, g = self.test_assumption(x, i, y)
                if ok:
                    return i, y, x, placed, g
        return None

    def check_state(self):
        for u in UNITS:
            for d in range(1, 10):
                if self.places(u, d) == []:
                    return 3
        return 1 if all(self.values) else 2

    def try_value(self, i, d):
        g = self.copy()
        g.set(i, d)
        while True:
            s = g.check_state()
            if s in (1, 3):
                return s
            g.apply_reservations()
            m = g.find_single()
            if not m:
                s = g.check_state()
                return s if s in (1, 3) else 2
            g.set(m[0], m[1])

    def apply_puzzled(self):
        for i in self.two_candidate_cells():
            for d in bits(self.masks[i]):
                if self.try_value(i, d) == 3:
                    self.masks[i] &= ~(1 << (d - 1))
                    return i, d
        return None


def random_solution(rng):
    g = [0] * 81

    def fill(k):
        if k == 81:
            return True
        used = {g[p] for p in PEERS[k]}
        digits = [d for d in range(1, 10) if d not in used]
        rng.shuffle(digits)
        for d in digits:
            g[k] = d
            if fill(k + 1):
                return True
        g[k] = 0
        return False

    fill(0)
    return g


def random_position(rng, solution, givens):
    cells = rng.sample(range(81), givens)
    return "".join(str(solution[i]) if i in cells else "0" for i in range(81))


def rng_for(seed):
    return random.Random(seed)


def count_solutions(values, limit=2):
    """Backtracking with the most constrained cell first; stops at limit."""
    masks = [0] * 81
    vals = values[:]
    for i in range(81):
        if vals[i] == 0:
            used = 0
            for p in PEERS[i]:
                if vals[p]:
                    used |= 1 << (vals[p] - 1)
            masks[i] = ALL & ~used
    count = 0

    def solve():
        nonlocal count
        best, best_n = -1, 10
        for i in range(81):
            if vals[i] == 0:
                n = bin(masks[i]).count("1")
                if n < best_n:
                    best, best_n = i, n
                    if n <= 1:
                        break
        if best < 0:
            count += 1
            return count >= limit
        if best_n == 0:
            return False
        for d in bits(masks[best]):
            bit = 1 << (d - 1)
            changed = [p for p in PEERS[best] if vals[p] == 0 and masks[p] & bit]
            vals[best] = d
            for p in changed:
                masks[p] &= ~bit
            if solve():
                return True
            for p in changed:
                masks[p] |= bit
            vals[best] = 0
        return False

    solve()
    return count


def minimal_puzzle(rng, solution):
    vals = solution[:]
    order = list(range(81))
    rng.shuffle(order)
    for i in order:
        keep = vals[i]
        vals[i] = 0
        if count_solutions(vals) != 1:
            vals[i] = keep
    return vals


def stuck_position(values):
    """Plays every single until none is left; returns the grid at that point."""
    g = Grid("".join(map(str, values)))
    while True:
        m = g.find_single()
        if not m:
            return g
        g.set(m[0], m[1])
