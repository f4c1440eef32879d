#!/usr/bin/python3
"""How often short Japanese texts are recognised in the encoding they were written in.

Builds short real texts (2-40 characters) from Debian's Japanese packages: the SKK
dictionary (skkdic), the IPA dictionary's sources (mecab-ipadic) and the Japanese manual
pages (manpages-ja); writes each in Shift_JIS, EUC-JP and UTF-8; asks kvteconv detect and
the peer detectors Debian packages what each file is; prints the share read right by length.
The texts are drawn with a fixed seed, so a run gives the same table on any machine with the
same package versions. Run through scripts/detect-accuracy.sh, which installs the packages.
"""
import argparse
import gzip
import os
import random
import re
import subprocess
import sys
import tempfile

BUCKETS = [(2, 3), (4, 7), (8, 15), (16, 40)]
ENCODINGS = [("sjis", "shift_jis_2004"), ("euc", "euc_jis_2004"), ("utf8", "utf-8")]
SKK = "/usr/share/skk/SKK-JISYO.L"
IPADIC = "/usr/share/mecab/dic/ipadic"
MANPAGES = "/usr/share/man/ja"

NAMES = {
    "sjis": {"shift_jis", "shift-jis", "sjis", "cp932", "windows-31j", "ms_kanji", "x-sjis", "shift_jis_2004",
             "shiftjis", "cp932"},
    "euc": {"euc-jp", "eucjp", "euc_jp", "x-euc-jp", "cp51932", "euc-jis-2004", "eucjp-ms", "eucjp-win"},
    "utf8": {"utf-8", "utf8"},
}
KVTE_NAMES = {"ShiftJis": "sjis", "Cp932": "sjis", "EucJp": "euc", "Utf8": "utf8", "Utf8Bom": "utf8"}


def normalised(name):
    name = (name or "").strip().lower()
    for code, names in NAMES.items():
        if name in names:
            return code
    return name or "none"


def japanese(text):
    return any(0x3000 <= ord(c) <= 0x9FFF or 0xFF00 <= ord(c) <= 0xFFEF for c in text)


def skk_items():
    """Readings and words of the SKK dictionary, and its lines."""
    words, lines = [], []
    with open(SKK, encoding="euc_jis_2004", errors="replace") as f:
        for line in f:
            if line.startswith(";") or " /" not in line:
                continue
            reading, rest = line.rstrip("\n").split(" /", 1)
            if re.fullmatch(r"[ぁ-ゖー]+[a-z]?", reading):
                words.append(reading.rstrip("abcdefghijklmnopqrstuvwxyz"))
            for candidate in rest.split("/"):
                candidate = candidate.split(";")[0]
                if candidate and "(" not in candidate and "\ufffd" not in candidate:
                    words.append(candidate)
            if "\ufffd" not in line:
                lines.append(line.rstrip("\n"))
    return words, lines


def ipadic_items():
    """Words and their katakana readings of the IPA dictionary, and its lines."""
    words, lines = [], []
    for name in sorted(os.listdir(IPADIC)):
        if not name.endswith(".csv"):
            continue
        with open(os.path.join(IPADIC, name), encoding="euc_jp", errors="replace") as f:
            for line in f:
                line = line.rstrip("\n")
                if "\ufffd" in line:
                    continue
                fields = line.split(",")
                words.append(fields[0])
                if len(fields) > 11 and fields[11] != "*":
                    words.append(fields[11])
                lines.append(line)
    return words, lines


ROFF_ESCAPES = re.compile(r"\\f(\[[^]]*\]|\(..|.)|\\\(..|\\\[[^]]*\]|\\[*n]\(?..|\\s[-+]?\d|\\[-&e|^ ]|\\.")


def manpage_items():
    """The text lines of the Japanese manual pages, their markup taken out."""
    lines = []
    for root, _, files in sorted(os.walk(MANPAGES)):
        for name in sorted(files):
            if not name.endswith(".gz"):
                continue
            try:
                with gzip.open(os.path.join(root, name), "rt", encoding="utf-8") as f:
                    text = f.read()
            except (UnicodeDecodeError, OSError):
                continue
            for line in text.splitlines():
                if line.startswith((".", "'")):
                    continue
                line = ROFF_ESCAPES.sub("", line).strip()
                if japanese(line):
                    lines.append(line)
    return [], lines


def encodable(text):
    try:
        for _, codec in ENCODINGS:
            text.encode(codec)
    except UnicodeEncodeError:
        return False
    return True


def build_texts(count, seed):
    """count texts, spread evenly over the length buckets and the three sources."""
    rng = random.Random(seed)
    sources = [skk_items(), ipadic_items(), manpage_items()]
    texts = []
    per_cell = count // (len(BUCKETS) * len(sources)) + 1
    for low, high in BUCKETS:
        for words, lines in sources:
            by_length = {}
            for w in words:
                if low <= len(w) <= high:
                    by_length.setdefault(len(w), []).append(w)
            long_lines = [line for line in lines if len(line) >= low]
            made, tries = 0, 0
            while made < per_cell and tries < per_cell * 100:
                tries += 1
                length = rng.randint(low, high)
                if by_length.get(length) and rng.random() < 0.5:
                    text = rng.choice(by_length[length])
                else:
                    line = rng.choice(long_lines)
                    if len(line) < length:
                        continue
                    start = rng.randint(0, len(line) - length)
                    text = line[start:start + length]
                if japanese(text) and encodable(text):
                    texts.append(text)
                    made += 1
    return texts


def batched(items, size=500):
    for i in range(0, len(items), size):
        yield items[i:i + size]


def run_per_file_tool(command, paths, parse):
    """Runs command FILE... in batches; parse(line) -> (path, name)."""
    found = {}
    for batch in batched(paths):
        out = subprocess.run(command + batch, capture_output=True, text=True, errors="replace").stdout
        for line in out.splitlines():
            path, name = parse(line)
            found[path] = name
    return [found.get(p, "none") for p in paths]


def kvteconv_detector(tool, stages):
    """stages: filled with the stage that decided each file (the word in parentheses)."""
    def detect(paths):
        def parse(line):
            path, rest = line.rsplit(": ", 1)
            code, _, stage = rest.partition(" ")
            stages[path] = stage.strip("()")
            return path, KVTE_NAMES.get(code, code)
        return run_per_file_tool([tool, "detect"], paths, parse)
    return detect


def split_colon(line):
    path, _, name = line.rpartition(": ")
    return path, normalised(name.split(" ")[0])


def nkf_detector(paths):
    return run_per_file_tool(["nkf", "--guess"], paths, split_colon)


def uchardet_detector(paths):
    return run_per_file_tool(["uchardet"], paths, split_colon)


def chardet_detector(paths):
    import chardet
    results = []
    for p in paths:
        with open(p, "rb") as f:
            results.append(normalised(chardet.detect(f.read())["encoding"]))
    return results


def icu_detector(helper):
    def detect(paths):
        out = subprocess.run([helper], input="\n".join(paths) + "\n", capture_output=True, text=True).stdout
        return [normalised(n) for n in out.splitlines()]
    return detect


def bucket_of(length):
    for low, high in BUCKETS:
        if low <= length <= high:
            return f"{low}–{high}"
    return "?"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--kvteconv", action="append", default=[], metavar="PATH[=LABEL]",
                        help="a kvteconv to measure (more than one: compare them)")
    parser.add_argument("--icu", help="the ICU detector helper (scripts/detect-accuracy/icu_detect.cpp, built)")
    parser.add_argument("--texts", type=int, default=6000)
    parser.add_argument("--seed", type=int, default=24)
    parser.add_argument("--misses", type=int, default=0, help="print this many texts the first kvteconv misses")
    args = parser.parse_args()

    texts = build_texts(args.texts, args.seed)
    detectors = []
    stages = {}  # label -> {path: stage}
    for spec in args.kvteconv:
        path, _, label = spec.partition("=")
        stages[label or "kvteconv"] = {}
        detectors.append((label or "kvteconv", kvteconv_detector(path, stages[label or "kvteconv"])))
    detectors.append(("nkf --guess", nkf_detector))
    detectors.append(("uchardet", uchardet_detector))
    if args.icu:
        detectors.append(("ICU", icu_detector(args.icu)))
    detectors.append(("chardet", chardet_detector))

    with tempfile.TemporaryDirectory() as work:
        samples = []  # (path, encoding, text)
        for i, text in enumerate(texts):
            for code, codec in ENCODINGS:
                path = os.path.join(work, f"{i:05d}.{code}")
                with open(path, "wb") as f:
                    f.write(text.encode(codec))
                samples.append((path, code, text))
        paths = [s[0] for s in samples]
        results = {label: detect(paths) for label, detect in detectors}

    labels = [label for label, _ in detectors]
    rows = [f"{low}–{high}" for low, high in BUCKETS] + ["all"]
    right = {(row, label): 0 for row in rows for label in labels}
    total = {row: 0 for row in rows}
    by_encoding = {(code, label): 0 for code, _ in ENCODINGS for label in labels}
    for k, (path, code, text) in enumerate(samples):
        row = bucket_of(len(text))
        total[row] += 1
        total["all"] += 1
        for label in labels:
            if results[label][k] == code:
                right[(row, label)] += 1
                right[("all", label)] += 1
                by_encoding[(code, label)] += 1

    print(f"{len(texts)} texts, each in Shift_JIS, EUC-JP and UTF-8: {len(samples)} files; share read right\n")
    print("| characters | files | " + " | ".join(labels) + " |")
    print("|---|--:|" + "--:|" * len(labels))
    for row in rows:
        cells = [f"{100.0 * right[(row, label)] / total[row]:.1f} %" for label in labels]
        name = f"**{row}**" if row == "all" else row
        print(f"| {name} | {total[row]} | " + " | ".join(cells) + " |")
    wrong = [str(total["all"] - right[("all", label)]) for label in labels]
    print("| files read wrong | | " + " | ".join(wrong) + " |")
    print("\nBy encoding (all lengths):\n")
    print("| written in | " + " | ".join(labels) + " |")
    print("|---|" + "--:|" * len(labels))
    per_encoding = total["all"] // len(ENCODINGS)
    for code, _ in ENCODINGS:
        cells = [f"{100.0 * by_encoding[(code, label)] / per_encoding:.1f} %" for label in labels]
        print(f"| {code} | " + " | ".join(cells) + " |")

    for label, by_path in stages.items():
        missed = {}
        for k, (path, code, _) in enumerate(samples):
            if results[label][k] != code:
                missed[by_path.get(path, "?")] = missed.get(by_path.get(path, "?"), 0) + 1
        if missed:
            print(f"\n{label}: files read wrong, by the stage that decided: " +
                  ", ".join(f"{stage} {n}" for stage, n in sorted(missed.items())))
    if args.misses and labels:
        first = labels[0]
        shown = 0
        print(f"\nTexts {first} misses:", file=sys.stderr)
        for k, (path, code, text) in enumerate(samples):
            if results[first][k] != code and shown < args.misses:
                print(f"  {code} -> {results[first][k]}: {text!r} {text.encode(dict(ENCODINGS)[code]).hex()}",
                      file=sys.stderr)
                shown += 1


if __name__ == "__main__":
    main()
