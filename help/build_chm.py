"""Builds help.chm from the pages in _RESOURCE/ and the outline in contents.txt.

The pages are UTF-8 HTML (each says so in its meta tag). The table of contents and the
index are generated here in Shift_JIS: the help viewer reads them, and the texts that
the compiler stores in the file's system record (title, default topic), in the code page
of the file's language, Japanese. The compiler copies the project file's texts as bytes,
so those texts are re-encoded in place after compiling.

usage: build_chm.py SOURCE_DIR OUTPUT_CHM [CHMCMD]
"""
import html
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import chm_directory  # noqa: E402

TITLE = "KelvaraTextEditor ヘルプ"
DEFAULT_TOPIC = "_RESOURCE\\index.html"
PAGE_FOLDER = "_RESOURCE"
# The viewer's window: no caption of its own (the viewer then takes the file's title, kept
# in Shift_JIS above), the contents and the index beside the page, the contents following
# the page shown (tri-pane, auto-sync, title from the page).
WINDOW = ('main=,"toc.hhc","index.hhk","_RESOURCE\\index.html","_RESOURCE\\index.html",,,,,'
          '0x2120,240,0x3006,,,,,,,,0')
# System-record entries that hold texts: contents file, index file, default topic, title,
# compiled file name.
TEXT_CODES = {0, 1, 2, 3, 6}


class BuildError(Exception):
    pass


def read_outline(path):
    """contents.txt: one line per entry, "title | page" (page optional for a heading),
    indented by two spaces per level."""
    entries = []
    with open(path, encoding="utf-8") as handle:
        for number, raw in enumerate(handle, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            indent = len(line) - len(line.lstrip(" "))
            if indent % 2:
                raise BuildError(f"{path}:{number}: indent by two spaces per level")
            title, _, page = line.strip().partition("|")
            entries.append((indent // 2, title.strip(), page.strip()))
    levels = [level for level, _, _ in entries]
    for previous, current in zip([0] + levels, levels):
        if current > previous + 1:
            raise BuildError(f"{path}: an entry is indented more than one level past its parent")
    return entries


def page_keywords(text):
    match = re.search(r'<meta\s+name="keywords"\s+content="([^"]*)"', text, re.I)
    if not match:
        return []
    return [word.strip() for word in html.unescape(match.group(1)).split(",") if word.strip()]


def page_title(text, name):
    match = re.search(r"<title>(.*?)</title>", text, re.I | re.S)
    if not match:
        raise BuildError(f"{name}: no <title>")
    return html.unescape(match.group(1).strip())


def check_links(name, text, pages):
    for target in re.findall(r'href="([^"#:]+)(?:#[^"]*)?"', text):
        if target not in pages:
            raise BuildError(f"{name}: link to a missing file '{target}'")


def sitemap_object(name, local):
    return ('<OBJECT type="text/sitemap">'
            f'<param name="Name" value="{html.escape(name)}">'
            + (f'<param name="Local" value="{html.escape(local)}">' if local else "")
            + "</OBJECT>")


def contents_text(outline):
    lines = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML><HEAD></HEAD><BODY>",
             '<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>',
             "<UL>"]
    level = 0
    for entry_level, title, page in outline:
        while level < entry_level:
            lines.append("<UL>")
            level += 1
        while level > entry_level:
            lines.append("</UL>")
            level -= 1
        local = f"{PAGE_FOLDER}\\{page}" if page else ""
        lines.append("<LI>" + sitemap_object(title, local))
    lines.extend(["</UL>"] * (level + 1))
    lines.append("</BODY></HTML>")
    return "\r\n".join(lines) + "\r\n"


def index_text(keywords):
    lines = ['<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">', "<HTML><HEAD></HEAD><BODY>", "<UL>"]
    for word in sorted(keywords, key=lambda w: w.lower()):
        objects = "".join(f'<param name="Name" value="{html.escape(title)}">'
                          f'<param name="Local" value="{PAGE_FOLDER}\\{html.escape(page)}">'
                          for page, title in sorted(keywords[word]))
        lines.append('<LI><OBJECT type="text/sitemap">'
                     f'<param name="Name" value="{html.escape(word)}">{objects}</OBJECT>')
    lines.append("</UL></BODY></HTML>")
    return "\r\n".join(lines) + "\r\n"


def shift_jis(text, what):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise BuildError(f"{what}: '{error.object[error.start:error.end]}' has no Shift_JIS code")


def reencode_system_texts(chm_path):
    """Rewrites the text entries of #SYSTEM from UTF-8 to Shift_JIS, keeping every entry's
    length (the freed bytes become zeros), so no offset in the file moves."""
    with open(chm_path, "rb") as handle:
        data = bytearray(handle.read())
    chm = chm_directory.ChmFile(bytes(data))
    start, end = chm.uncompressed_span("/#SYSTEM")
    pos = start + 4  # the record's version
    while pos + 4 <= end:
        code, length = struct.unpack_from("<HH", data, pos)
        body = pos + 4
        if body + length > end:
            raise BuildError("#SYSTEM entry runs past its record")
        if code in TEXT_CODES and length:
            raw = bytes(data[body:body + length]).split(b"\0", 1)[0]
            encoded = shift_jis(raw.decode("utf-8"), "#SYSTEM")
            if len(encoded) > length:
                raise BuildError("#SYSTEM text grows when re-encoded")
            data[body:body + length] = encoded + b"\0" * (length - len(encoded))
        pos = body + length
    with open(chm_path, "wb") as handle:
        handle.write(data)


def build(source, output, chmcmd):
    outline = read_outline(os.path.join(source, "contents.txt"))
    page_dir = os.path.join(source, PAGE_FOLDER)
    files = sorted(os.listdir(page_dir))
    pages = [name for name in files if name.endswith(".html")]
    outlined = {page for _, _, page in outline if page}
    for page in outlined:
        if page not in pages:
            raise BuildError(f"contents.txt names a missing page '{page}'")
    for page in pages:
        if page not in outlined:
            raise BuildError(f"page '{page}' is not in contents.txt")
    if DEFAULT_TOPIC.split("\\")[1] not in pages:
        raise BuildError("the default topic is missing")

    keywords = {}
    for page in pages:
        with open(os.path.join(page_dir, page), encoding="utf-8") as handle:
            text = handle.read()
        if 'charset=utf-8' not in text.lower():
            raise BuildError(f"{page}: the page must declare charset=UTF-8")
        check_links(page, text, files)
        title = page_title(text, page)
        for word in page_keywords(text):
            keywords.setdefault(word, set()).add((page, title))

    with tempfile.TemporaryDirectory() as work:
        shutil.copytree(page_dir, os.path.join(work, PAGE_FOLDER))
        with open(os.path.join(work, "toc.hhc"), "wb") as handle:
            handle.write(shift_jis(contents_text(outline), "contents"))
        with open(os.path.join(work, "index.hhk"), "wb") as handle:
            handle.write(shift_jis(index_text(keywords), "index"))
        project = ["[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=help.chm",
                   "Contents file=toc.hhc", "Index file=index.hhk", "Binary Index=No", "Binary TOC=No",
                   f"Default topic={DEFAULT_TOPIC}", "Display compile progress=No",
                   "Language=0x411 Japanese", f"Title={TITLE}", "Default Window=main", "",
                   "[WINDOWS]", WINDOW, "", "[FILES]"]
        project += [f"{PAGE_FOLDER}\\{name}" for name in files]
        with open(os.path.join(work, "help.hhp"), "w", encoding="utf-8", newline="\r\n") as handle:
            handle.write("\n".join(project) + "\n")
        result = subprocess.run([chmcmd, "--no-html-scan", "help.hhp"], cwd=work,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        built = os.path.join(work, "help.chm")
        if result.returncode != 0 or not os.path.exists(built):
            raise BuildError("chmcmd failed:\n" + result.stdout)
        reencode_system_texts(built)
        names = set(chm_directory.read(built).names())
        for name in files + ["toc.hhc", "index.hhk"]:
            stored = f"/{PAGE_FOLDER}/{name}" if name not in ("toc.hhc", "index.hhk") else f"/{name}"
            if stored not in names:
                raise BuildError(f"the compiler left out {stored}")
        os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
        shutil.copyfile(built, output)


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    try:
        build(argv[1], argv[2], argv[3] if len(argv) == 4 else "chmcmd")
    except (BuildError, chm_directory.ChmError, OSError) as error:
        sys.stderr.write(f"build_chm: {error}\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
