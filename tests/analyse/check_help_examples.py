#!/usr/bin/env python3
"""The help page's worked examples must say what the game says: each example's lines are
compared with the analysis tool's explanation of the same position.
Usage: check_help_examples.py HELP_PAGE KUMOJI_ANALYSE"""

import html.parser
import json
import subprocess
import sys


class Examples(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.found = []  # (puzzle, [lines])

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "ol" and "data-puzzle" in attrs:
            self.found.append((attrs["data-puzzle"], []))
        elif tag == "li" and "data-text" in attrs and self.found:
            self.found[-1][1].append(attrs["data-text"])


def main():
    page, tool = sys.argv[1], sys.argv[2]
    parser = Examples()
    with open(page, encoding="utf-8") as f:
        parser.feed(f.read())
    if len(parser.found) < 6:
        print(f"expected an explained example of each of techniques 1 to 6, found {len(parser.found)}")
        return 1
    faults = 0
    for puzzle, lines in parser.found:
        out = subprocess.run([tool, "--explain", "--json", "--jobs", "1"], input=puzzle + "\n",
                             capture_output=True, text=True, check=True).stdout
        said = json.loads(out)["text"]
        if said != lines:
            faults += 1
            print(f"{puzzle}: the page says {lines}, the game says {said}")
    print(f"{len(parser.found)} examples checked, {faults} differ")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
