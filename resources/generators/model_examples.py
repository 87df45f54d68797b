"""The help page's examples of techniques 1 to 6 and 10 to 17, drawn and explained by the game's own
explanation model: the analysis tool gives the steps and text, the board demo the drawing.
Both are built programs, so the page shows exactly what a lost question shows."""

import base64
import io
import json
import os
import subprocess
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
BUILD = os.path.join(HERE, "..", "..", "build")
ANALYSE = os.environ.get("KUMOJI_ANALYSE", os.path.join(BUILD, "tools", "analyse", "kumoji-analyse"))
BOARD_DEMO = os.environ.get("KUMOJI_BOARD_DEMO",
                            os.path.join(BUILD, "tools", "board-demo", "kumoji-board-demo"))

# The board demo's board, above the text strip it adds.
BOARD_SIZE = (578, 485)


def run(args, stdin=""):
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    return subprocess.run(args, input=stdin, capture_output=True, text=True, check=True,
                          env=env).stdout


def explain(puzzle):
    line = run([ANALYSE, "--explain", "--json", "--jobs", "1"], puzzle + "\n").strip()
    return json.loads(line)


def generated(technique, seed, count):
    return run([ANALYSE, "--generate", str(count), "--technique", str(technique),
                "--seed", str(seed)]).split()


def shortest(technique, seed, count=24):
    """The generated question of the technique whose explanation takes the fewest steps
    (the first of them), so that the example reads at a glance."""
    best = None
    for puzzle in generated(technique, seed, count):
        e = explain(puzzle)
        if best is None or len(e["steps"]) < len(best["steps"]):
            best = e
    return best


def drawing(puzzle):
    """The board demo's picture of the explanation, board only and at its own size (the
    small candidate digits blur when scaled down), as a data URI."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "board.png")
        run([BOARD_DEMO, "--explain", "--screenshot", path, puzzle])
        image = Image.open(path).convert("RGB").crop((0, 0) + BOARD_SIZE)
    out = io.BytesIO()
    image.save(out, "PNG", optimize=True)
    return "data:image/png;base64," + base64.b64encode(out.getvalue()).decode("ascii")


def examples(table_puzzles):
    """ident -> (explanation, image URI). table_puzzles maps the single techniques to their
    table positions; the reservation techniques take generated questions of fixed seeds."""
    found = {ident: explain(p) for ident, p in table_puzzles.items()}
    for ident, technique, seed in (("smMyReserved", 4, 41), ("smYourReserved", 5, 52),
                                   ("smOurReserved", 6, 63), ("smXWing", 10, 101),
                                   ("smSkyscraper", 11, 111), ("sm2StringKite", 12, 121),
                                   ("smSwordfish", 13, 131), ("smXYWing", 14, 141),
                                   ("smXYZWing", 15, 151), ("smWWing", 16, 161),
                                   ("smSimpleColouring", 17, 171)):
        found[ident] = shortest(technique, seed)
    for ident, e in found.items():
        if e.get("technique") != ident:
            raise RuntimeError(f"{ident}: the example is explained as {e.get('technique')}")
    return {ident: (e, drawing(e["puzzle"])) for ident, e in found.items()}
