#!/usr/bin/env python3
"""Draws the program's pictures and writes them into src/resources/:

  kvte.ico       the program icon (32x32 and 16x16, 32-bit with alpha)
  toolbar.bmp    the 15 toolbar images of 16x15 side by side (240x15, 8-bit palette)
  checkmark.bmp  the 16x16 mark drawn beside checked menu entries (8-bit palette)
  pictures.rc    the resource lines naming the three files, with a checksum of their
                 content: the build notices included .rc files, not pictures, so a new
                 picture reaches the program through this file's change

Python 3 standard library only. The pictures are pixel art: one character per pixel,
looked up in a palette. The toolbar uses the light grey 0xC0C0C0 as its background
because the toolbar maps that colour of a palette bitmap to the button face and treats
it as transparent; black, dark grey and white are mapped to the matching system colours.

  python3 scripts/gen_bitmaps.py             write the three files
  python3 scripts/gen_bitmaps.py --check     fail when the committed files differ
  python3 scripts/gen_bitmaps.py --preview D also write 8x enlarged PNG files into D
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.join(HERE, "..", "src", "resources")

# ---- Toolbar and check-mark palette: character -> (red, green, blue) -------------------
PALETTE = {
    ".": (0xC0, 0xC0, 0xC0),  # background: becomes the button face
    "k": (0x00, 0x00, 0x00),
    "g": (0x80, 0x80, 0x80),
    "w": (0xFF, 0xFF, 0xFF),
    "y": (0xFF, 0xE0, 0x60),  # folder
    "o": (0xC0, 0x90, 0x30),  # folder shade, clipboard
    "n": (0x00, 0x00, 0x80),  # navy
    "b": (0x20, 0x60, 0xE0),  # blue
    "l": (0xA0, 0xD8, 0xFF),  # light blue: glass
    "r": (0xE0, 0x20, 0x20),
    "G": (0x10, 0x90, 0x30),  # green
    "s": (0xA0, 0xA0, 0xA4),  # steel
    "m": (0x80, 0x80, 0xFF),  # the band of the menu, behind the check mark
}

W, H = 16, 15  # one toolbar image


def art(text):
    """Rows of a picture from a block of text; blank lines and indentation are ignored."""
    return [line.strip() for line in text.strip().splitlines() if line.strip()]


def blank(width, height, fill="."):
    return [[fill] * width for _ in range(height)]


def paste(canvas, rows, x, y):
    """Copies rows onto canvas at (x, y); '.' in rows is see-through."""
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch != "." and 0 <= y + dy < len(canvas) and 0 <= x + dx < len(canvas[0]):
                canvas[y + dy][x + dx] = ch
    return canvas


def mirror(rows):
    return ["".join(reversed(row)) for row in rows]


def image(rows):
    if len(rows) != H or any(len(r) != W for r in rows):
        raise ValueError("toolbar image is not %dx%d: %r" % (W, H, rows))
    return [list(r) for r in rows]


PAGE_SMALL = art("""
    kkkkkkk..
    kwwwwwkk.
    kwnnnwkwk
    kwwwwwkkk
    kwnnnnnwk
    kwwwwwwwk
    kwnnnnnwk
    kwwwwwwwk
    kwnnnnnwk
    kwwwwwwwk
    kkkkkkkkk
""")

FLOPPY_SMALL = art("""
    kkkkkkkkkkk
    knkwwwwwknk
    knkwwwwwknk
    knkwwwwwknk
    knnkkkkknnk
    knnnnnnnnnk
    knnnnnnnnnk
    knngggggnnk
    knngkgggnnk
    knngkgggnnk
    kkkkkkkkkkk
""")

LENS_SMALL = art("""
    ..kkkk...
    .kwllllk.
    kwllllllk
    klllllllk
    klllllllk
    kllllllkk
    .kllllkkk
    ..kkkk.kkk
    ........kkk
    .........kk
""")

NEW = art("""
    ................
    ...kkkkkkkk.....
    ...kwwwwwwkk....
    ...kwwwwwwkwk...
    ...kwwwwwwkwwk..
    ...kwwwwwwkkkkk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kwwwwwwwwwwk.
    ...kkkkkkkkkkkk.
    ................
""")

OPEN = art("""
    ................
    ................
    .kkkk...........
    kyyyyk..........
    kyyyyykkkkkkk...
    kyyyyyyyyyyyyk..
    kyyyyyyyyyyyyk..
    kyyykkkkkkkkkkkk
    kyykoooooooooook
    kyykooooooooook.
    kykoooooooooook.
    kykooooooooook..
    kkoooooooooook..
    kkkkkkkkkkkkk...
    ................
""")

UNDO = art("""
    ................
    ................
    ................
    ....n...........
    ...nn...........
    ..nbbnnnnnn.....
    .nbbbbbbbbbnn...
    ..nbbnnnnnbbbn..
    ...nn.....nnbbn.
    ....n......nbbn.
    ...........nbbn.
    ..........nbbn..
    .........nbbn...
    .........nnn....
    ................
""")

CUT = art("""
    ................
    ...k.......k....
    ...kk.....kk....
    ....k.....k.....
    ....kk...kk.....
    .....k...k......
    .....kk.kk......
    ......kkk.......
    ......kgk.......
    .....rr.rr......
    ..rrrr...rrrr...
    .r...r...r...r..
    .r...r...r...r..
    .r...r...r...r..
    ..rrr.....rrr...
""")

CLIPBOARD = art("""
    ......kkkk.....
    ..kkkkwggwkkkk.
    ..kookkkkkkook.
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..koooooooooook
    ..kkkkkkkkkkkkk
""")

ARROW_DOWN = art("""
    .nnn.
    .nbn.
    .nbn.
    .nbn.
    nnbnn
    nbbbn
    .nbn.
    ..n..
""")

FIND = art("""
    ................
    ...kkkk.........
    ..kwllllk.......
    .kwllllllk......
    .kwllllllk......
    .kllllllllk.....
    .kllllllllk.....
    ..kllllllkk.....
    ...kllllkkkk....
    ....kkkk.kkkk...
    .........kskkk..
    ..........kskkk.
    ...........kskk.
    ............kk..
    ................
""")

GEAR = art("""
    ................
    ......kkk.......
    ..kk..ksk..kk...
    ..kskkksskkskk..
    ...kssssssssk...
    ..kssskkkksssk..
    kkkssk....ksskkk
    ksssk......ksssk
    kkkssk....ksskkk
    ..kssskkkksssk..
    ...kssssssssk...
    ..kskksskkkskk..
    ..kk..ksk..kk...
    ......kkk.......
    ................
""")

ENVIRONMENT = art("""
    ................
    ..kkkkkkkkkk....
    ..kwwwwwwwwkk...
    ..kwrrrwwwwkwk..
    ..kwwwwwwwwkkkk.
    ..kwbbbbwbbbbwk.
    ..kwwwwwwwwwwwk.
    ..kwwGGGGGGwwwk.
    ..kwwwwwwwwwwwk.
    ..kwrrwbbbbbwwk.
    ..kwwwwwwwwwwwk.
    ..kwGGGGGwrrwwk.
    ..kwwwwwwwwwwwk.
    ..kkkkkkkkkkkkk.
    ................
""")

HELP = art("""
    ................
    .....nnnnnn.....
    ...nnbbbbbbnn...
    ..nbbbwwwwbbbn..
    ..nbbwwbbwwbbn..
    .nbbbwwbbwwbbbn.
    .nbbbbbbbwwbbbn.
    .nbbbbbbwwbbbbn.
    .nbbbbbwwbbbbbn.
    .nbbbbbwwbbbbbn.
    ..nbbbbbbbbbbn..
    ..nbbbbwwbbbbn..
    ...nnbbwwbbnn...
    .....nnnnnn.....
    ................
""")

CHECK_MARK = art("""
    mmmmmmmmmmmmmmmm
    mmmmmmmmmmmmmmmm
    mmmmmmmmmmmmmkmm
    mmmmmmmmmmmmkwkm
    mmmmmmmmmmmkwwkm
    mmmmmmmmmmkwwkmm
    mmkmmmmmmkwwkmmm
    mkwkmmmmkwwkmmmm
    mkwwkmmkwwkmmmmm
    mmkwwkkwwkmmmmmm
    mmmkwwwwkmmmmmmm
    mmmmkwwkmmmmmmmm
    mmmmmkkmmmmmmmmm
    mmmmmmmmmmmmmmmm
    mmmmmmmmmmmmmmmm
    mmmmmmmmmmmmmmmm
""")


def toolbar_images():
    """The 15 images in button order: new, open, save, save all, undo, redo, cut, copy,
    paste, find, find down, find up, options, environment menu, help."""
    save = paste(blank(W, H), [
        "kkkkkkkkkkkkkk",
        "knkwwwwwwwwknk",
        "knkwwwwwwwwknk",
        "knkwwwwwwwwknk",
        "knkwwwwwwwwknk",
        "knnkkkkkkkknnk",
        "knnnnnnnnnnnnk",
        "knnnnnnnnnnnnk",
        "knnggggggggnnk",
        "knnggkkggggnnk",
        "knnggkkggggnnk",
        "knnggkkggggnnk",
        "kkkkkkkkkkkkkk",
    ], 1, 1)
    save_all = paste(paste(blank(W, H), FLOPPY_SMALL, 1, 0), FLOPPY_SMALL, 5, 4)
    copy = paste(paste(blank(W, H), PAGE_SMALL, 1, 0), PAGE_SMALL, 6, 4)
    paste_img = paste(paste(blank(W, H), CLIPBOARD, 0, 1), PAGE_SMALL, 6, 4)
    find_down = paste(paste(blank(W, H), LENS_SMALL, 0, 1), ARROW_DOWN, 11, 6)
    arrow_up = list(reversed(ARROW_DOWN))
    find_up = paste(paste(blank(W, H), LENS_SMALL, 0, 4), arrow_up, 11, 0)
    pictures = [
        image(NEW), image(OPEN), save, save_all,
        image(UNDO), image(mirror(UNDO)),
        image(CUT), copy, paste_img,
        image(FIND), find_down, find_up,
        image(GEAR), image(ENVIRONMENT), image(HELP),
    ]
    for p in pictures:
        image(["".join(r) for r in p])  # size check
    return pictures


def side_by_side(pictures):
    return [sum((p[y] for p in pictures), []) for y in range(H)]


# ---- Icon: a sheet of paper under a row of two tabs, with coloured lines of text -------
ICON_COLOURS = {
    " ": (0, 0, 0, 0),                 # transparent
    "k": (0x30, 0x30, 0x40, 255),      # edge
    "w": (0xFF, 0xFF, 0xFF, 255),      # paper
    "T": (0x20, 0x60, 0xE0, 255),      # front tab
    "A": (0x90, 0xB0, 0xE8, 255),      # back tab
    "R": (0xE0, 0x30, 0x30, 255),
    "B": (0x20, 0x50, 0xC0, 255),
    "G": (0x10, 0x90, 0x30, 255),
    "g": (0x90, 0x90, 0x98, 255),
}

# At 16 pixels each line of text is drawn by hand; the 32-pixel icon is drawn by shapes.
ICON_16 = [
    "                ",
    " kkkkkkkkkkkk   ",
    " kTTTTTkAAAAk   ",
    " kTTTTTkkkkkkkk ",
    " kwwwwwwwwwwwwk ",
    " kwBBBwggggwwwk ",
    " kwwwwwwwwwwwwk ",
    " kwgggwRRRRRwwk ",
    " kwwwwwwwwwwwwk ",
    " kwGGGGGGwwwwwk ",
    " kwwwwwwwwwwwwk ",
    " kwBBwggggggwwk ",
    " kwwwwwwwwwwwwk ",
    " kwwwwwwwwwwwwk ",
    " kkkkkkkkkkkkkk ",
    "                ",
]


def draw_icon_32():
    px = [[" "] * 32 for _ in range(32)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                px[y][x] = colour

    def frame(x0, y0, x1, y1):
        rect(x0, y0, x1, y0 + 1, "k")
        rect(x0, y1 - 1, x1, y1, "k")
        rect(x0, y0, x0 + 1, y1, "k")
        rect(x1 - 1, y0, x1, y1, "k")

    rect(14, 2, 26, 8, "A")
    frame(14, 2, 26, 8)
    rect(4, 2, 16, 8, "T")
    frame(4, 2, 16, 8)
    rect(4, 7, 28, 30, "w")
    frame(4, 7, 28, 30)
    rect(5, 7, 15, 8, "T")  # the front tab opens into the sheet
    lines = [(8, 12, 16, "B"), (17, 12, 24, "g"),
             (8, 16, 13, "g"), (14, 16, 24, "R"),
             (8, 20, 20, "G"),
             (8, 24, 12, "B"), (13, 24, 22, "g")]
    for x0, y, x1, colour in lines:
        rect(x0, y, x1, y + 2, colour)
    return ["".join(row) for row in px]


def icon_pixels(rows):
    if any(len(r) != len(rows) for r in rows):
        raise ValueError("icon picture is not square")
    return [[ICON_COLOURS[ch] for ch in row] for row in rows]


# ---- File writers ----------------------------------------------------------------------
def bmp_8bit(rows):
    """An 8-bit palette BMP of the character rows, colours in order of first use."""
    height, width = len(rows), len(rows[0])
    order = []
    for row in rows:
        for ch in row:
            if ch not in order:
                order.append(ch)
    index = {ch: i for i, ch in enumerate(order)}
    palette = b"".join(struct.pack("<BBBB", PALETTE[ch][2], PALETTE[ch][1], PALETTE[ch][0], 0)
                       for ch in order)
    stride = (width + 3) & ~3
    pixels = b"".join(bytes(index[ch] for ch in row) + b"\0" * (stride - width)
                      for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels),
                       2835, 2835, len(order), len(order))
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def ico_image(px):
    size = len(px)
    colour = b"".join(struct.pack("<BBBB", p[2], p[1], p[0], p[3])
                      for row in reversed(px) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(px):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    return info + colour + mask


def ico(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for px in images:
        blob = ico_image(px)
        size = len(px)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                               len(blob), offset + len(blobs))
        blobs += blob
    return head + entries + blobs


def png(rgba_rows, scale):
    """A PNG of RGBA rows, each pixel enlarged scale times; for looking at the pictures."""
    raw = b""
    for row in rgba_rows:
        line = b"".join(bytes(p) * scale for p in row)
        raw += (b"\0" + line) * scale
    height, width = len(rgba_rows) * scale, len(rgba_rows[0]) * scale

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rgba_of(rows):
    return [[PALETTE[ch] + (255,) for ch in row] for row in rows]


def pictures_rc(files):
    checksum = zlib.crc32(b"".join(files[name] for name in sorted(files)))
    return ("// Written by scripts/gen_bitmaps.py; do not edit.\n"
            "// Checksum of the pictures: %08x\n"
            "IDI_MAIN      ICON   \"kvte.ico\"\n"
            "IDB_TOOLBAR   BITMAP \"toolbar.bmp\"\n"
            "IDB_CHECKMARK BITMAP \"checkmark.bmp\"\n" % checksum).encode("ascii")


def outputs():
    toolbar = side_by_side(toolbar_images())
    check = [list(r) for r in CHECK_MARK]
    if len(check) != 16 or any(len(r) != 16 for r in check):
        raise ValueError("check mark is not 16x16")
    files = {
        "toolbar.bmp": bmp_8bit(toolbar),
        "checkmark.bmp": bmp_8bit(check),
        "kvte.ico": ico([icon_pixels(draw_icon_32()), icon_pixels(ICON_16)]),
    }
    files["pictures.rc"] = pictures_rc(files)
    return files, {"toolbar": rgba_of(toolbar), "checkmark": rgba_of(check),
        "icon32": icon_pixels(draw_icon_32()), "icon16": icon_pixels(ICON_16)}


def main(argv):
    files, previews = outputs()
    if "--check" in argv:
        stale = [n for n, data in files.items()
                 if not os.path.exists(os.path.join(OUT_DIR, n))
                 or open(os.path.join(OUT_DIR, n), "rb").read() != data]
        if stale:
            print("out of date: " + ", ".join(stale))
            return 1
        return 0
    for name, data in files.items():
        with open(os.path.join(OUT_DIR, name), "wb") as f:
            f.write(data)
    if "--preview" in argv:
        folder = argv[argv.index("--preview") + 1]
        os.makedirs(folder, exist_ok=True)
        for name, rows in previews.items():
            with open(os.path.join(folder, name + ".png"), "wb") as f:
                f.write(png(rows, 8))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
