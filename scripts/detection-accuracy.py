#!/usr/bin/env python3
"""Measures how often the Chinese code page detection is right, on text its
frequency data did not see: the manual pages of manpages-zh (zh_CN simplified,
zh_TW traditional, and zh_CN turned traditional by OpenCC's s2t), written with
iconv in GBK, GB18030 and Big5 (code page 950). Texts of several sizes are cut
from each page, at its start and at two other line starts; texts of ASCII alone
are left out, since they are the same in every encoding. Prints the share
detected right per encoding, origin and size.

    python3 scripts/detection-accuracy.py [DETECTOR]

DETECTOR is build/default/bench/tolvane_detection_accuracy by default (built
with the default preset); needs the manpages-zh and opencc packages.
"""
import collections
import gzip
import random
import re
import subprocess
import sys
import tempfile
from pathlib import Path

MANUALS = Path("/usr/share/man")
SIZES = (200, 500, 2000, 8000)
SEPARATOR = "\n@@PAGE@@\n"
# (origin, iconv's name, what the detection must say when no four-byte
# GB18030 sequence is in the text)
CASES = (
    ("zh_CN", "CP936", "GBK"),
    ("zh_TW", "CP936", "GBK"),
    ("s2t", "CP936", "GBK"),
    ("zh_CN", "GB18030", "GBK"),
    ("zh_TW", "GB18030", "GBK"),
    ("zh_TW", "CP950", "BIG5"),
    ("s2t", "CP950", "BIG5"),
)


def plain(roff):
    """The text of a manual page without its formatting requests and escapes."""
    lines = []
    for line in roff.splitlines():
        if line.startswith((".\\\"", "'\\\"")):
            continue
        if line.startswith("."):
            heading = re.match(r"\.(SH|SS|TH|TP|IP|[BI]|[BIR][BIR])\s+(.*)", line)
            if not heading:
                continue
            line = heading.group(2).replace('"', "")
        line = re.sub(r"\\f(\[[^\]]*\]|\(..|.)|\\\(..|\\[&/,]", "", line)
        lines.append(line.replace("\\-", "-").replace("\\e", "\\"))
    return "\n".join(lines) + "\n"


def pages(locale):
    texts = []
    for page in sorted(MANUALS.glob(f"{locale}/man*/*.gz")):
        try:
            text = plain(gzip.open(page).read().decode("utf-8"))
        except UnicodeDecodeError:
            continue
        if sum("\u4e00" <= c <= "\u9fff" for c in text) >= 20:
            texts.append(text.replace(SEPARATOR.strip(), ""))
    return texts


def run(command, data):
    return subprocess.run(command, input=data, capture_output=True, check=False).stdout


def encoded(texts, encoding):
    # -c leaves out what the encoding cannot hold, as a text in it would.
    joined = run(["iconv", "-c", "-f", "UTF-8", "-t", encoding], SEPARATOR.join(texts).encode())
    return joined.split(SEPARATOR.encode())


def cuts(data, size, rng):
    line_starts = [0] + [m.end() for m in re.finditer(b"\n", data[: max(0, len(data) - size)])]
    for start in [0] + rng.sample(line_starts[1:], min(2, len(line_starts) - 1)):
        piece = data[start : start + size]
        if len(piece) == size and any(b >= 0x80 for b in piece):
            yield piece


def has_four_byte_sequence(piece):
    text = piece.decode("gb18030", errors="ignore")
    return any(len(c.encode("gb18030")) == 4 for c in text)


def detect(detector, folder, pieces):
    names = []
    for index, piece in enumerate(pieces):
        names.append(str(folder / f"{index}.txt"))
        Path(names[-1]).write_bytes(piece)
    answers = {}
    for start in range(0, len(names), 500):
        output = run([detector, *names[start : start + 500]], b"").decode()
        answers.update(line.split("\t") for line in output.splitlines())
    return [answers.get(name, "?") for name in names]


def cell(right, count):
    return f"{right:>7}/{count:<6}{100 * right / max(1, count):5.1f}%"


def main():
    detector = sys.argv[1] if len(sys.argv) > 1 else "build/default/bench/tolvane_detection_accuracy"
    simplified, traditional = pages("zh_CN"), pages("zh_TW")
    s2t = run(["opencc", "-c", "s2t.json"], SEPARATOR.join(simplified).encode()).decode()
    origins = {"zh_CN": simplified, "zh_TW": traditional, "s2t": s2t.split(SEPARATOR)}
    rng = random.Random(18)
    totals = collections.defaultdict(lambda: [0, 0])
    four_byte, mistaken = collections.Counter(), collections.Counter()
    print(f"{'text':<16}" + "".join(f"{size:>20}" for size in SIZES))
    with tempfile.TemporaryDirectory() as work:
        for origin, encoding, usual in CASES:
            row = f"{origin + ' ' + encoding:<16}"
            texts = encoded(origins[origin], encoding)
            for size in SIZES:
                pieces = [piece for data in texts for piece in cuts(data, size, rng)]
                wanted = ["GB18030" if encoding == "GB18030" and has_four_byte_sequence(p)
                          else usual for p in pieces]
                got = detect(detector, Path(work), pieces)
                right = sum(w == g for w, g in zip(wanted, got))
                direction = totals["BIG5" if usual == "BIG5" else "GBK/GB18030", size]
                direction[0] += right
                direction[1] += len(pieces)
                row += cell(right, len(pieces))
                four_byte[origin, encoding] += wanted.count("GB18030")
                mistaken[origin, encoding] += usual == "GBK" and got.count("BIG5")
            print(row)
    for direction in ("GBK/GB18030", "BIG5"):
        row = f"{direction:<16}"
        for size in SIZES:
            right, count = totals[direction, size]
            row += cell(right, count)
        print(row)
    print("texts with a four-byte GB18030 sequence:",
          ", ".join(f"{o} {e}: {n}" for (o, e), n in four_byte.items() if e == "GB18030"))
    print("GBK or GB18030 texts taken for Big5:", sum(mistaken.values()))


if __name__ == "__main__":
    main()
