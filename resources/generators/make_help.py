#!/usr/bin/env python3
"""Writes the help page help/Tozan01.html. The examples of techniques 1 to 6 are the game's
own explanations, drawn by the board demo and written by the analysis tool
(model_examples.py); those of the assumption techniques are searched for with a fixed seed
and checked by the small solver in sudoku_logic.py, so every example on the page really
needs the technique it illustrates."""

import base64
import html
import os

import model_examples
from help_routes import route_list, time_table

from common import HUTS
from sudoku_logic import (UNITS, Grid, bits, cell_name, minimal_puzzle, random_solution,
                          rng_for, stuck_position, unit_en, unit_jp)

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..")

POSITIONS = [
    "登山口", "５合目", "５合２勺", "５合３勺", "５合４勺", "５合５勺", "５合６勺", "５合７勺",
    "５合８勺", "５合９勺", "６合目", "雲海荘", "６合２勺", "６合３勺", "６合４勺", "６合５勺",
    "６合６勺", "６合７勺", "花小屋", "６合９勺", "７合目", "ホテルトモエ館", "７合２勺", "７合３勺",
    "鎌岩館", "７合５勺", "７合６勺", "７合７勺", "鳥居荘", "７合９勺", "８合目", "８合１勺",
    "蓬莱館", "８合３勺", "８合４勺", "８合５勺", "富士山ホテル", "８合７勺", "８合８勺",
    "御来光館", "９合目", "９合１勺", "９合２勺", "９合３勺", "９合４勺", "９合５勺", "９合６勺",
    "９合７勺", "９合８勺", "９合９勺", "山頂",
]

TECHNIQUES = [
    ("smEmptyCell", "(基本) 最後の１マス just one empty cell"),
    ("smLeftPlace", "(基本) 残りの１マス only one place left"),
    ("smMissingNumber", "(初級) 最後の数字 the only missing number"),
    ("smMyReserved", "(中級) わたしの予約席 my reserved seat"),
    ("smYourReserved", "(中級) あなた方の予約席 your reserved seat"),
    ("smOurReserved", "(上級) 我々の予約席 our reserved seat"),
    ("smXWing", "(上級) Xウィング X-Wing"),
    ("smSkyscraper", "(上級) スカイスクレイパー skyscraper"),
    ("sm2StringKite", "(上級) 2ストリングカイト 2-string kite"),
    ("smSwordfish", "(難題) ソードフィッシュ swordfish"),
    ("smXYWing", "(難題) XYウィング XY-Wing"),
    ("smXYZWing", "(難題) XYZウィング XYZ-Wing"),
    ("smWWing", "(難題) Wウィング W-Wing"),
    ("smSimpleColouring", "(難題) 色分け simple colouring"),
    ("smKeepOff", "(上級) 立ち入り禁止 keep off"),
    ("smGetOut", "(上級) 追い出し get out"),
    ("smPuzzled", "(難題) 試行錯誤 puzzled"),
]

# Positions from the game's own question tables, one per single technique.
EMPTY_CELL_EXAMPLE = "000000000000000000000000000000000000248370956000000000000000000000000000000000000"
LEFT_PLACE_EXAMPLE = "000000000000000000000000000000200000020000000000000400000000020000000000000000000"
MISSING_NUMBER_EXAMPLE = "000000060000000084000000900000000030000000070000000050000000020000000000000000000"


def icon(path):
    with open(os.path.join(RES, path), "rb") as f:
        data = base64.b64encode(f.read()).decode()
    return f'<img class="icon" src="data:image/png;base64,{data}" alt="">'


# --- grids ------------------------------------------------------------------------------

def grid_html(g, answer=None, marks=None, shade=(), struck=None, pencil=(), caption=""):
    """A 9x9 table. answer = (cell, digit); shade = cells of the reserved group; struck maps
    a cell to the candidates that the step removes; pencil lists cells whose candidates
    are shown; marks maps a cell to a small note (an assumed digit)."""
    marks = marks or {}
    struck = struck or {}
    rows = []
    for r in range(9):
        tds = []
        for c in range(9):
            i = c + 9 * r
            cls = []
            if c % 3 == 2 and c < 8:
                cls.append("br")
            if r % 3 == 2 and r < 8:
                cls.append("bb")
            body = ""
            if g.values[i]:
                body = str(g.values[i])
                cls.append("given")
            elif answer and i == answer[0] and i not in struck:
                body = f'<span class="ans">{answer[1]}</span>'
                cls.append("answer")
            elif i in marks:
                body = f'<span class="assume">{marks[i]}</span>'
                cls.append("trial")
            elif i in pencil or i in struck:
                digits = []
                removed = struck.get(i, ())
                for d in range(1, 10):
                    if g.masks[i] >> (d - 1) & 1 or d in removed:
                        digits.append(f'<s>{d}</s>' if d in removed else str(d))
                body = f'<span class="cand">{"".join(digits)}</span>'
            if answer and i == answer[0] and i in struck:
                cls.append("answer")
            if i in shade:
                cls.append("seat")
            if i in struck and not (answer and i == answer[0]):
                cls.append("gone")
            tds.append(f'<td class="{" ".join(cls)}">{body}</td>')
        rows.append("<tr>" + "".join(tds) + "</tr>")
    cap = f"<caption>{caption}</caption>" if caption else ""
    return f'<table class="grid">{cap}{"".join(rows)}</table>'


def model_drawing(e, image):
    alt = f"{e['cell']} = {e['digit']}"
    return f'<img class="board" src="{image}" alt="{html.escape(alt)}">'


def model_text(e):
    """The explanation's lines as the game shows them, each split into its Japanese and its
    English gloss; data-text keeps the line whole, so a test can compare it with the tool."""
    items = []
    for line in e["text"]:
        jp, _, en = line.partition("  ")
        items.append(f'<li data-text="{html.escape(line)}">{html.escape(jp)}'
                     f'<br><span class="en">{html.escape(en)}</span></li>')
    return (f'<ol class="steps" data-puzzle="{e["puzzle"]}">{"".join(items)}</ol>'
            f'<p>答え answer: <b>{e["cell"]} = {e["digit"]}</b></p>')


def names(cells):
    return "・".join(cell_name(i) for i in cells)


# --- the worked examples -----------------------------------------------------------------

def stuck_positions(seed, count):
    rng = rng_for(seed)
    for _ in range(count):
        g = stuck_position(minimal_puzzle(rng, random_solution(rng)))
        if not all(g.values):
            yield g


def example_assumption(kind, seed):
    for g in stuck_positions(seed, 600):
        h = g.copy()
        h.apply_reservations()
        if h.find_single():
            continue
        keep_off = h.find_keep_off()
        if kind == "keep_off":
            if keep_off:
                return h, keep_off
            continue
        if keep_off:
            continue
        get_out = h.find_get_out()
        if kind == "get_out":
            if get_out:
                return h, get_out
            continue
        if get_out:
            continue
        trial = h.copy()
        found = trial.apply_puzzled()
        if found:
            return h, found
    raise RuntimeError("no example found for " + kind)


def narrowed(h, cell):
    """Notes when the reserved-seat passes, not the givens alone, left the two candidates."""
    if Grid(h.text()).masks[cell] != h.masks[cell]:
        return "（予約席の決め手で絞ると after the reserved-seat passes）"
    return ""


def blocked_unit(g, digit):
    for u in UNITS:
        if g.places(u, digit) == []:
            return u
    return None


def assumption_text(h, found, watched_is_assumed):
    cell, answer, assumed, placed, g = found
    watched = assumed if watched_is_assumed else answer
    unit = blocked_unit(g, watched)
    chain = names(placed)
    return (f"{cell_name(cell)} の候補は{narrowed(h, cell)} {assumed} と {answer}。もし {cell_name(cell)} に {assumed} を置くと、"
            f"{watched} が {chain} に次々と決まり、{unit_jp(unit)}に {watched} の入る場所がなくなります。"
            f"だから {assumed} は置けず、{cell_name(cell)} = {answer}。"
            f"<br><span class=\"en\">Assuming {assumed} in {cell_name(cell)} forces {watched} into "
            f"{', '.join(cell_name(i) for i in placed)} and leaves "
            f"{unit_en(unit)} with no place for {watched}; so {cell_name(cell)} "
            f"is {answer}.</span>"), cell, answer, placed, g


# --- the page ----------------------------------------------------------------------------

CSS = """
body { margin: 0; background: #f6f3ee; color: #222;
  font-family: "IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Hiragino Sans", sans-serif;
  line-height: 1.7; }
header { background: linear-gradient(180deg, #1c2350 0%, #5a3a6e 55%, #e0785a 100%);
  color: #fff; padding: 28px 32px 22px; }
header h1 { margin: 0; font-size: 30px; letter-spacing: 0.05em; }
header p { margin: 6px 0 0; opacity: 0.9; }
nav { background: #2a2f55; padding: 8px 32px; }
nav a { color: #ffd9c8; margin-right: 18px; text-decoration: none; font-size: 14px; }
nav a:hover { text-decoration: underline; }
main { max-width: 900px; margin: 0 auto; padding: 12px 28px 48px; }
h2 { border-left: 8px solid #c8322a; padding-left: 12px; margin-top: 40px; color: #3a1a1a; }
h3 { margin: 0 0 8px; color: #8a1f1a; }
section.tech { background: #fff; border: 1px solid #e2d8cc; border-radius: 10px;
  padding: 16px 20px; margin: 22px 0; box-shadow: 0 1px 3px rgba(0,0,0,0.06); }
.en { color: #666; font-size: 0.92em; }
.example { display: flex; gap: 22px; align-items: flex-start; flex-wrap: wrap; }
.example .explain { flex: 1; min-width: 260px; }
table.grid { border-collapse: collapse; border: 3px solid #333; background: #fff; }
table.grid caption { caption-side: bottom; font-size: 12px; color: #666; padding-top: 4px; }
table.grid td { width: 28px; height: 28px; border: 1px solid #bbb; text-align: center;
  vertical-align: middle; font-size: 17px; padding: 0; }
table.grid td.br { border-right: 2px solid #333; }
table.grid td.bb { border-bottom: 2px solid #333; }
table.grid td.given { font-weight: bold; color: #1a2a6a; }
table.grid td.answer { background: #ffe88a; }
table.grid td.seat { background: #cfe3ff; }
table.grid td.gone { background: #ffd6d0; }
table.grid td.trial { background: #e0f2dc; }
.ans { color: #d01818; font-weight: bold; font-size: 19px; }
.assume { color: #2a7a2a; font-style: italic; }
.cand { display: block; font-size: 9px; line-height: 1.05; color: #2850b8; word-break: break-all;
  padding: 0 1px; }
.cand s { color: #d01818; }
.legend span { display: inline-block; padding: 0 8px; margin-right: 6px; border: 1px solid #bbb; }
table.list { border-collapse: collapse; margin: 8px 0; }
table.list td, table.list th { border: 1px solid #d8cfc2; padding: 4px 10px; }
table.list th { background: #efe6da; }
table.route td { font-size: 13px; padding: 2px 8px; }
tr.hut td { background: #e3f0df; font-weight: bold; }
tr.end td { background: #ffe1dc; font-weight: bold; }
img.board { width: 578px; max-width: 100%; height: auto; border: 1px solid #d8cfc2; }
ol.steps { padding-left: 1.4em; margin: 4px 0; }
ol.steps li { margin-bottom: 6px; }
img.icon { width: 16px; height: 16px; vertical-align: -2px; image-rendering: pixelated; }
kbd { border: 1px solid #aaa; border-bottom-width: 2px; border-radius: 3px; padding: 0 4px;
  background: #fff; font-size: 0.9em; }
footer { text-align: center; color: #888; font-size: 12px; padding: 20px; }
"""


def route_table():
    rows = []
    cols = 3
    per = (len(POSITIONS) + cols - 1) // cols
    rows.append("<tr>" + "<th>番号</th><th>場所 place</th>" * cols + "</tr>")
    for r in range(per):
        cells = []
        for c in range(cols):
            i = r + c * per
            if i < len(POSITIONS):
                mark = ' <small>山小屋 hut</small>' if i in HUTS else ""
                style = ' style="background:#e3f0df;font-weight:bold"' if i in HUTS else (
                    ' style="background:#ffe1dc;font-weight:bold"' if i in (0, 50) else "")
                cells.append(f"<td{style}>{i}</td><td{style}>{POSITIONS[i]}{mark}</td>")
            else:
                cells.append("<td></td><td></td>")
        rows.append("<tr>" + "".join(cells) + "</tr>")
    return '<table class="list route">' + "".join(rows) + "</table>"


def technique_sections():
    out = []
    intro = {
        "smEmptyCell": ("行・列・ブロックのどれかに空きマスが１つしかなければ、そこに入るのは残った１つの数字です。",
                        "A row, column or box with a single empty cell: that cell takes the one digit missing."),
        "smLeftPlace": ("ある数字について、行・列・ブロックの中で置けるマスが１つしか残っていなければ、そこに決まります。",
                        "A digit that has only one possible cell left in a row, column or box goes there."),
        "smMissingNumber": ("あるマスから見える行・列・ブロックに８種類の数字がそろっていれば、そのマスには残りの１つしか入りません。",
                            "A cell whose row, column and box already see eight different digits holds the ninth."),
        "smMyReserved": ("ブロックの中で、ある数字の入る場所が１つの行（または列）にかたまっていたら、その数字はそこに予約済み。"
                         "同じ行（列）のブロックの外からは消せます。逆に、行（列）の中の候補が１つのブロックにかたまっていれば、"
                         "そのブロックの他のマスから消せます。",
                         "When a digit's places in a box all lie on one line, the rest of that line loses the digit; "
                         "when a line's places all lie in one box, the rest of that box loses it."),
        "smYourReserved": ("同じ行・列・ブロックで、n個のマスの候補がそろって同じn個の数字だけなら、その数字はそのマスたちの予約席。"
                           "ほかのマスからその数字を消せます。",
                           "n cells of a unit whose candidates are the same n digits reserve those digits; "
                           "the other cells of the unit lose them."),
        "smOurReserved": ("同じ行・列・ブロックで、n個の数字の入る場所がそろって同じn個のマスだけなら、そのマスはその数字たちの予約席。"
                          "そのマスのほかの候補を消せます。",
                          "n digits that fit only into the same n cells of a unit claim those cells; "
                          "the cells lose every other candidate."),
        "smXWing": ("ある数字が、２つの行のどちらでも同じ２つの列にしか入らないなら、その４マスのうち対角の２マスに入ります。"
                    "その２つの列のほかのマスからはその数字を消せます（行と列を入れ替えても同じ）。",
                    "When a digit's places in two rows lie in the same two columns, it takes two opposite corners; "
                    "the rest of those columns lose it (and the same with rows and columns swapped)."),
        "smSkyscraper": ("ある数字の入る場所がちょうど２つの行が２本あり、片方の端どうしが同じ列にそろっているとき、"
                         "もう片方の端のどちらかには必ずその数字が入ります。両方の端から見えるマスからは消せます。",
                         "Two rows where a digit has exactly two places, one end of each in a common column: "
                         "one of the two other ends holds it, so every cell that sees both loses it."),
        "sm2StringKite": ("ある数字の場所がちょうど２つの行と列があり、片方の端どうしが同じブロックにあるとき、"
                          "もう片方の端のどちらかにその数字が入ります。両方の端から見えるマスからは消せます。",
                          "A row and a column where a digit has exactly two places, one end of each in a common box: "
                          "every cell that sees both other ends loses it."),
        "smSwordfish": ("Xウィングを３本に広げた形です。ある数字が３つの行で同じ３つの列にしか入らないなら、"
                        "その３つの列のほかのマスからその数字を消せます。",
                        "The X-Wing with three lines: a digit whose places in three rows lie in the same three columns "
                        "leaves the rest of those columns."),
        "smXYWing": ("候補 {x,y} のマス（軸）が、候補 {x,z} と {y,z} のマス（はさみ）を見ているとき、"
                     "どちらのはさみかに必ず z が入ります。両方のはさみから見えるマスは z ではありません。",
                     "A pivot {x,y} that sees pincers {x,z} and {y,z}: one pincer holds z, "
                     "so every cell that sees both pincers loses z."),
        "smXYZWing": ("軸の候補が {x,y,z} で、はさみが {x,z} と {y,z} のとき、軸と２つのはさみのどれかに z が入ります。"
                      "３つすべてから見えるマスは z ではありません。",
                      "A pivot {x,y,z} with pincers {x,z} and {y,z}: one of the three holds z, "
                      "so a cell that sees all three loses z."),
        "smWWing": ("候補が同じ {x,y} の２マスが互いに見えず、x の場所がちょうど２つの行・列・ブロックで１つずつにつながるとき、"
                    "２マスのどちらかに y が入ります。両方から見えるマスは y ではありません。",
                    "Two cells {x,y} that do not see each other, joined by the only two places of x in some unit, "
                    "one seeing each: one of them holds y, so a cell that sees both loses y."),
        "smSimpleColouring": ("ある数字の場所がちょうど２つの組（共役ペア）を鎖のようにたどり、２色に塗り分けます。"
                              "どちらかの色が全部正解です。両方の色を見るマスからその数字を消せ、同じ色どうしが見えれば、その色が消えます。",
                              "Follow a digit's conjugate pairs in a chain and colour them in two colours: one colour is "
                              "all true. A cell seeing both colours loses the digit; two cells of one colour that see "
                              "each other rule that colour out."),
        "smKeepOff": ("候補が２つのマスに、片方の数字を仮に置いてみます。その数字を決まる所へ次々と置いていくと、"
                      "ある行・列・ブロックにその数字の場所がなくなってしまう――それなら、そのマスはもう一方の数字です。",
                      "Assume one of a two-candidate cell's digits and follow that digit's forced places; "
                      "if some unit is left without room for it, the cell holds the other digit."),
        "smGetOut": ("候補が２つのマスに片方の数字を仮に置くと、もう一方の数字が次々と決まって追い出され、"
                     "ある行・列・ブロックに入る場所がなくなる――それなら、そのマスは追い出された方の数字です。",
                     "Assume one digit of a two-candidate cell and follow the other digit's forced places; "
                     "if that drives it out of some unit entirely, the cell holds the digit that was driven out."),
        "smPuzzled": ("最後の手段です。候補が２つのマスに数字を試しに置き、これまでの決め手で最後まで進めてみます。"
                      "矛盾が出たら、その数字は入りません。",
                      "The last resort: try a digit in a two-candidate cell and play on with the other techniques; "
                      "a contradiction rules that digit out."),
    }
    examples = {}
    # Techniques 1 to 6: the game's own drawing and text of the explanation.
    tables = {"smEmptyCell": EMPTY_CELL_EXAMPLE, "smLeftPlace": LEFT_PLACE_EXAMPLE,
              "smMissingNumber": MISSING_NUMBER_EXAMPLE}
    for ident, (e, image) in model_examples.examples(tables).items():
        examples[ident] = (model_drawing(e, image), model_text(e))
    for ident, kind, seed in (("smKeepOff", "keep_off", 74), ("smGetOut", "get_out", 85)):
        h, found = example_assumption(kind, seed)
        text, cell, answer, placed, g = assumption_text(h, found, kind == "keep_off")
        watched = found[2] if kind == "keep_off" else answer
        marks = {i: watched for i in placed}
        grid = grid_html(h, answer=(cell, answer), marks=marks, pencil=[cell],
                         caption="緑の数字: 仮に置いたときに決まる場所 forced if assumed　黄: 答え answer")
        examples[ident] = (grid, f"<p>{text}</p>")
    h, (cell, refuted) = example_assumption("puzzled", 96)
    other = [d for d in bits(h.masks[cell]) if d != refuted][0]
    text = (f"{cell_name(cell)} の候補は{narrowed(h, cell)} {refuted} と {other}。試しに {refuted} を置いて、"
            f"予約席や最後の数字などの決め手で進めていくと、どこかの行・列・ブロックに入らない数字が出て矛盾します。"
            f"だから {cell_name(cell)} = {other}。"
            f"<br><span class=\"en\">Trying {refuted} in {cell_name(cell)} and playing on ends in a "
            f"contradiction, so {cell_name(cell)} is {other}.</span>")
    examples["smPuzzled"] = (grid_html(h, answer=(cell, other), caption="黄: 答え answer"),
                             f"<p>{text}</p>")

    for ident, caption in TECHNIQUES:
        jp, en = intro[ident]
        grid, text = examples[ident]
        out.append(f"""<section class="tech" id="{ident}">
<h3>{html.escape(caption)}</h3>
<p>{jp}<br><span class="en">{en}</span></p>
<div class="example">{grid}<div class="explain"><p><b>例 Example</b></p>{text}</div></div>
</section>""")
    return "\n".join(out)


def page():
    buttons = [
        ("images/glyphs/play.png", "始める Play", "次の問題を始めます。 Starts the next question."),
        ("images/actions/04.png", "一時停止 pause / 再開 replay",
         "時計を止めて盤を隠します。もう一度押すと続きから。 Stops the clock and hides the board; press again to go on."),
        ("images/glyphs/select.png", "選択 select player", "プレイヤーを選ぶ画面を開きます。 Opens the player dialog."),
        ("images/actions/05.png", "終わる Close",
         "ゲームを終わります。問題の途中だと負けになります。 Ends the game; quitting during a question loses it."),
        ("images/actions/10.png", "案内 help", "この案内を開きます。問題中はその決め手の説明へ。 Opens this page, at the technique of the current question."),
        ("images/actions/00.png", "メモ書きの色 pen color", "メモ書きの色を選びます。 Chooses the memo pen's colour."),
        ("images/actions/02.png", "ペン書き pen mode", "盤の上にメモを書きます。 Draw memo strokes on the board."),
        ("images/actions/01.png", "消しゴム eraser mode", "メモをなぞって消します。 Rub memo strokes out."),
        ("images/actions/03.png", "メモを消す erase memo", "メモを全部消します。 Clears every memo stroke."),
    ]
    button_rows = "".join(f"<tr><td>{icon(p)} {html.escape(n)}</td><td>{d}</td></tr>" for p, n, d in buttons)
    toc = "".join(f'<a href="#{i}">{c.split(") ")[1].split(" ")[0]}</a>' for i, c in TECHNIQUES)
    huts = "、".join(f"{POSITIONS[h]}（{h}）" for h in HUTS)
    return f"""<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Kumoji 案内 help</title>
<style>{CSS}</style>
</head>
<body>
<header>
<h1>Kumoji 数独登山 案内 help</h1>
<p>決め手の一手を見つけて、山頂を目指しましょう。 Find the one forced move and climb to the summit.</p>
</header>
<nav><a href="#play">遊び方</a><a href="#board">盤の操作</a><a href="#buttons">ボタン</a><a href="#route">登山ルート</a><a href="#players">プレイヤー</a><a href="#techniques">決め手</a></nav>
<main>

<h2 id="play">遊び方 How to play</h2>
<p>問題は数独（ナンプレ）の途中の局面です。空きマスはたくさんありますが、<b>理屈で決まるマスはちょうど１つ</b>。
そのマスを見つけて、盤の下に並んだ数字のコマを<b>時間切れになる前に</b>ドラッグして置いてください。
<br><span class="en">Each question is a sparse sudoku position in which exactly one move is forced by logic.
Find that cell and drag the right digit from the tray onto it before the clock runs out.</span></p>
<ol>
<li>「始める Play」で問題が始まります。チャイムが鳴り、右上の時計が減っていきます。<span class="en">Press Play: a chime sounds and the clock starts.</span></li>
<li>決まるマスに正しい数字を置けば正解。赤い丸が付き、１つ上へ登ります。<span class="en">The right digit on the right cell: a red circle, and you climb one step.</span></li>
<li>違うマスや違う数字を置いたとき、時間切れのときは不正解。正しい一手が丸で示され、１つ下へ戻ります（山小屋にいれば戻りません）。
<span class="en">A wrong placement or running out of time loses the question: the forced move is shown circled and you step back down, unless you stand at a hut.</span></li>
<li>最初に置いた一手で勝ち負けが決まります。問題ごとにプレイヤーの画面が開き、「つづける continue」で次の問題へ。
<span class="en">Your first placement decides. After each question the player dialog opens; "continue" starts the next one.</span></li>
</ol>

<h2 id="board">盤の操作 On the board</h2>
<ul>
<li><b>置く Place:</b> 下の列のコマを左ボタンでつかんで、マスの上で離します。盤の外で離すとコマは元の場所へ。
<span class="en">Drag a piece with the left button and drop it on a cell; drop it off the grid to send it home.</span></li>
<li><b>ヒント Hints:</b> コマを右クリックすると、その数字の候補が盤に小さく表示されます。
<kbd>Tab</kbd> を押したまま右クリックすると、いくつかの数字のヒントを重ねて見られます。
<span class="en">Right-click a piece to show where its digit can go; hold <kbd>Tab</kbd> while right-clicking to add several digits' hints.</span>
<br>色の意味 colours: <span style="color:#1030e0">青 候補 candidate</span>、<span style="color:#e01010">赤 そこに決まる forced</span>、
<span style="color:#800000">えんじ ブロックに２か所 two places in the box</span>、<span style="color:#008000">緑 ブロックに３か所 three places</span>。</li>
<li><b>メモ Memo:</b> 盤の上を左ボタンでなぞるとペンで書けます。消しゴムモードではなぞった所が消えます。メモは答えに影響しません。
<span class="en">Draw on the grid with the left button in pen mode; the eraser rubs strokes out. Memos never count as moves.</span></li>
</ul>

<h2 id="buttons">ボタン Buttons</h2>
<table class="list">{button_rows}</table>

<h2 id="route">登山ルート The route</h2>
<p>登山口（0）から５合目、６合目…と勺（１/１０合）刻みに進み、山頂（50）まで全部で51か所。
山の左の斜面に並んだ印が道のりで、赤く塗られた所まで登っています。背の高い印は山小屋です。
<br><span class="en">51 places from the trailhead (0) to the summit (50), in tenths of a station. The marks on the
mountain's left slope show the way; the red ones are behind you, and the tall ones are huts.</span></p>
<p><b>山小屋 Huts:</b> {huts}。山小屋にいるときは、問題を落としても下がりません。山小屋と山頂に着くとファンファーレ。
<span class="en">At a hut a lost question does not send you down; reaching a hut or the summit plays a fanfare.</span></p>
<p><b>制限時間 Time limit:</b> 高く登るほど短くなります（位置に反比例）。難しい決め手ほど時間は長めです。
表はすべての決め手の制限時間です（登山口は１と同じ）。
<span class="en">The higher you are, the less time you have; harder techniques get more. The table gives
every technique's limit (the trailhead has that of position 1).</span></p>
{time_table(POSITIONS)}
<p><b>ルート Routes:</b> はじめは河口湖ルート。山頂に着くと次のルートへ進むか聞かれ、「はい」でそのルートの登山口から
すぐに始まります。ルートごとに出る決め手が違い、問題は混ぜた順に出ます。最後の月夜富士ルートの山頂がゴールです。
<span class="en">Everyone starts on the first route. At each summit the game offers the next route; Yes starts
it at its trailhead at once. Each route asks its own techniques, in mixed order; the summit of the last
route is the end.</span></p>
{route_list()}
{route_table()}

<h2 id="players">プレイヤー Players</h2>
<p>何人でも一緒に使えます。最初の起動で名前を入力します。問題の後に開く画面で「人を変える change user」から
別の人を選ぶか、「新規追加 new user」で追加してください。記録は起動したフォルダの <code>tozan01.ini</code> に一問ごとに保存されます。
<br><span class="en">Several players can share the game. Enter your name at the first start; later, use "change user" or
"new user" in the player dialog. Progress is saved to <code>tozan01.ini</code> in the folder the game was started in after every question.</span></p>
<p>問題の途中でゲームを終えると、試合放棄として負けになります。
<span class="en">Quitting in the middle of a question counts as losing it.</span></p>

<h2 id="techniques">決め手 Techniques</h2>
<p>{toc}</p>
<p class="legend">例の見方 legend: 最初の６つとＸウィングから色分けまでの例は、問題を落としたときに盤に出る説明そのものです。
<span style="background:#fbe7b5">黄: 手がかりの行・列・ブロック the step's unit</span><span style="background:#bfe3dd">青緑: 予約席 the pattern's cells</span><span style="color:#d01818">赤の斜線: 消える候補 candidates removed</span><span style="color:#7a3fb0">紫の枠と丸: 決め手と、それを決める数字 the single and what makes it single</span>
<span style="color:#1565c0">青の実線: 強いリンク（場所が２つだけ） strong links; 青の破線: 弱いリンク（見合う） weak links, 緑の破線: フィッシュのカバー fish cover lines; 太い青枠: ウィングの軸 a wing's pivot</span><span style="background:#c9dafc">青</span><span style="background:#fcd5c2">橙: 色分けの２色 the two colours</span>
<br><span class="en">The first six examples and those from X-Wing to simple colouring are the board's own explanation, as a lost question shows it.</span>
ほかの例 the others: <span style="background:#ffe88a">答え answer</span><span style="background:#e0f2dc">仮に置く assumed</span>
列は左から A〜I、行は上から 1〜9 です。 Columns A–I from the left, rows 1–9 from the top.</p>
{technique_sections()}
</main>
<footer>Kumoji</footer>
</body>
</html>
"""


def main():
    os.makedirs(os.path.join(RES, "help"), exist_ok=True)
    with open(os.path.join(RES, "help", "Tozan01.html"), "w", encoding="utf-8", newline="\n") as f:
        f.write(page())


if __name__ == "__main__":
    main()
