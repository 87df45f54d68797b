"""The help page's list of routes and its table of time limits, by the game's own rules
(game/tables.cpp, game/round/generated_queue.cpp, game/round/time_limit.cpp)."""

import html

# Technique number: help anchor, Japanese name, English name.
TECHNIQUE_NAMES = {
    1: ("smEmptyCell", "最後の１マス", "just one empty cell"),
    2: ("smLeftPlace", "残りの１マス", "only one place left"),
    3: ("smMissingNumber", "最後の数字", "the only missing number"),
    4: ("smMyReserved", "わたしの予約席", "my reserved seat"),
    5: ("smYourReserved", "あなた方の予約席", "your reserved seat"),
    6: ("smOurReserved", "我々の予約席", "our reserved seat"),
    7: ("smKeepOff", "立ち入り禁止", "keep off"),
    8: ("smGetOut", "追い出し", "get out"),
    10: ("smXWing", "Xウィング", "X-Wing"),
    11: ("smSkyscraper", "スカイスクレイパー", "skyscraper"),
    12: ("sm2StringKite", "２本の糸の凧", "2-string kite"),
    13: ("smSwordfish", "ソードフィッシュ", "swordfish"),
    14: ("smXYWing", "XYウィング", "XY-Wing"),
    15: ("smXYZWing", "XYZウィング", "XYZ-Wing"),
    16: ("smWWing", "Wウィング", "W-Wing"),
    17: ("smSimpleColouring", "シンプルカラーリング", "simple colouring"),
}

# Each route's name and the techniques its questions ask; route 0 asks the game's tables.
ROUTES = [
    ("河口湖ルート（入門）", [1, 2, 3]),
    ("須走ルート（初級）", [2, 3]),
    ("富士宮ルート（中級）", [4, 5]),
    ("御殿場ルート（上級）", [6]),
    ("紅富士ルート（超級）", [10, 11, 12, 13]),
    ("夕富士ルート（達人）", [14, 15, 16]),
    ("月夜富士ルート（名人）", [17, 7, 8]),
]

# Easiest first: each technique gets more time than the one before it.
BY_DIFFICULTY = [1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 16, 17, 7, 8]

LIMIT_POSITIONS = (1, 10, 20, 30, 40, 49)


def time_limit(technique, position):
    rank = BY_DIFFICULTY.index(technique) + 1
    if rank <= 6:
        base = 8000 << (rank + 1)
    else:
        base = (8000 << 7) * (rank - 3) // 2
    return (base * 51 // max(1, position)) // 9


def clock_text(ms):
    """As the timer panel shows it: h:mm:ss, m:ss or seconds."""
    s = ms // 1000
    h, m, sec = s // 3600, s // 60 % 60, s % 60
    if h:
        return f"{h}:{m:02d}:{sec:02d}"
    return f"{m}:{sec:02d}" if m else f"{sec} 秒"


def technique_link(t):
    anchor, jp, en = TECHNIQUE_NAMES[t]
    return f'<a href="#{anchor}">{html.escape(jp)}</a> <span class="en">{html.escape(en)}</span>'


def time_table(positions):
    """One row per technique, hardest last; a column per height. Each cell carries the
    technique, the position and the milliseconds, so that a test can hold them to the game."""
    head = "".join(f"<th>{p} {html.escape(positions[p])}</th>" for p in LIMIT_POSITIONS)
    rows = [f"<tr><th>決め手 technique</th>{head}</tr>"]
    for t in BY_DIFFICULTY:
        cells = "".join(f'<td data-limit="{t},{p},{time_limit(t, p)}">'
                        f"{clock_text(time_limit(t, p))}</td>" for p in LIMIT_POSITIONS)
        rows.append(f"<tr><td>{technique_link(t)}</td>{cells}</tr>")
    return '<table class="list limits">' + "".join(rows) + "</table>"


def route_list():
    rows = ["<tr><th>番号</th><th>ルート route</th><th>決め手 techniques</th></tr>"]
    for number, (name, techniques) in enumerate(ROUTES):
        links = "、".join(technique_link(t) for t in techniques)
        rows.append(f'<tr data-route="{number}"><td>{number}</td><td>{html.escape(name)}</td>'
                    f"<td>{links}</td></tr>")
    return '<table class="list routes">' + "".join(rows) + "</table>"
