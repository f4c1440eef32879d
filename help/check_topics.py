"""Checks a built help.chm against the program: every help page that the program opens
by name ("_RESOURCE\\..." in its sources) is stored in the file, with the pages of the
help menu and of the options dialog always among them; the viewer's texts in the system
record read as Shift_JIS; the table of contents and the index are there.

usage: check_topics.py HELP_CHM SOURCE_DIR
"""
import codecs
import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chm_directory  # noqa: E402

# The pages the help menu and the options pages open; they must exist even while a
# page's code is missing.
REQUIRED = ["機能一覧.html", "ショートカットキー一覧.html", "全般設定.html", "確認設定.html",
            "保存設定.html", "エディタの設定.html", "マーク色設定.html", "拡張子設定.html",
            "タブ.html"]

# A run of C string literals with only blanks between them (the compiler joins them).
LITERAL_RUN = re.compile(r'(?:(?:u8|L|u|U)?"(?:[^"\\\n]|\\.)*"\s*)+')
LITERAL = re.compile(r'(u8|L|u|U)?"((?:[^"\\\n]|\\.)*)"')
SIMPLE_ESCAPES = {"n": 10, "t": 9, "r": 13, "0": 0, "\\": 92, '"': 34, "'": 39, "a": 7,
                  "b": 8, "f": 12, "v": 11, "?": 63}


def literal_bytes(body):
    """The bytes of one literal's body, and whether it spells non-ASCII characters as
    they are (UTF-8 source text) rather than as \\x escapes."""
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i]
        if c != 0x5C:
            out.append(c)
            i += 1
            continue
        nxt = chr(raw[i + 1])
        if nxt == "x":
            match = re.match(rb"[0-9A-Fa-f]+", raw[i + 2:])
            out.append(int(match.group(0), 16) & 0xFF)
            i += 2 + len(match.group(0))
        elif nxt in SIMPLE_ESCAPES:
            out.append(SIMPLE_ESCAPES[nxt])
            i += 2
        else:  # not C (a comment quoting a path): keep the character
            out.append(raw[i + 1])
            i += 2
    return bytes(out), any(b >= 0x80 for b in raw)


def run_text(run):
    """The text of a run of literals. Program texts are InternalText: \\x escapes are
    Shift_JIS bytes; characters written as they are in the source are UTF-8."""
    parts = [literal_bytes(m.group(2)) for m in LITERAL.finditer(run)]
    joined = b"".join(part for part, _ in parts)
    encoding = "utf-8" if any(plain for _, plain in parts) else "shift_jis_2004"
    text = joined.decode(encoding, errors="replace")
    # Python's Shift_JIS-2004 reads 0x5C and 0x7E as yen sign and overline; the program
    # reads them as the path separator and tilde.
    return text.replace("\u00a5", "\\").replace("\u203e", "~") if encoding != "utf-8" else text


def topics_in_source(text):
    found = []
    for run in LITERAL_RUN.finditer(text):
        if "_RESOURCE" not in run.group(0):
            continue
        value = run_text(run.group(0))
        for topic in re.findall(r"_RESOURCE\\([^\\\0]+?\.html?)", value):
            found.append(topic)
    return found


def topics_in_tree(source_dir):
    topics = {}
    for folder, _, files in os.walk(source_dir):
        for name in files:
            if not name.endswith((".cpp", ".h", ".rc")):
                continue
            path = os.path.join(folder, name)
            with open(path, encoding="utf-8", errors="replace") as handle:
                for topic in topics_in_source(handle.read()):
                    topics.setdefault(topic, path)
    return topics


def system_texts(chm):
    start, end = chm.uncompressed_span("/#SYSTEM")
    data = chm.data
    texts, pos = {}, start + 4
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        texts[code] = data[pos + 4:pos + 4 + length].split(b"\0", 1)[0]
        pos += 4 + length
    return texts


def self_test():
    # The forms the program writes topics in: Shift_JIS escapes split over two literals,
    # and text as it stands in the source.
    sample = ('Show(owner,\n  "_RESOURCE\\\\\\x8b\\x40\\x94\\x5c"\n  "\\x88\\xea\\x97\\x97.html");\n'
              'const char* page = u8"_RESOURCE\\\\タブ.html";  // "not a topic"\n')
    found = topics_in_source(sample)
    return found == ["機能一覧.html", "タブ.html"], found


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    failures = []
    ok, found = self_test()
    if not ok:
        failures.append(f"the source scanner misreads its samples: {found}")
    chm = chm_directory.read(argv[1])
    stored = set(chm.names())
    named = topics_in_tree(argv[2])
    if "機能一覧.html" not in named or "ショートカットキー一覧.html" not in named:
        failures.append("the help menu's two pages were not found in the sources")
    for topic in sorted(set(REQUIRED) | set(named)):
        if f"/_RESOURCE/{topic}" not in stored:
            where = named.get(topic, "the help menu and the options pages")
            failures.append(f"_RESOURCE\\{topic} (opened by {where}) is not in {argv[1]}")
    # The window definition puts the index beside the contents.
    for name in ("/toc.hhc", "/index.hhk", "/#WINDOWS"):
        if name not in stored:
            failures.append(f"{name} is missing")
    texts = system_texts(chm)
    try:
        title = texts.get(3, b"").decode("cp932")
        default = texts.get(2, b"").decode("cp932")
    except UnicodeDecodeError:
        title = default = None
    if title != "KelvaraTextEditor ヘルプ":
        failures.append(f"the window title does not read as Shift_JIS: {texts.get(3)!r}")
    if not default or "/" + default.replace("\\", "/") not in stored:
        failures.append(f"the default topic {texts.get(2)!r} is not in the file")
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(named)} topics named in the sources, {len(REQUIRED)} required; "
          f"{1 if not failures else 0} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
