#!/usr/bin/env python3
"""Writes EncodingTables.generated.cpp: the conversion tables of the encoding code.

Derived from Python's own shift_jis_2004, euc_jis_2004 and euc_jp codecs (standard
library only), then adjusted where the program deliberately differs from the published
Shift_JIS-2004 mapping. Every count that the adjustments rely on is asserted, so a codec
that changes under us stops the generator instead of producing different tables.

Every code gets its published character: one BMP unit in SjisToUnicodeTable, or (above
U+FFFF as a surrogate pair, or a sequence of two code points) a marker there that points
into SjisTwoUnitForms. The reverse side adds the supplementary code points (sorted, for a
binary search) and the combining sequences, whose marks carry a marker in the pages.

Usage: gen_encoding_tables.py [OUTPUT]   (default: ../EncodingTables.generated.cpp)
"""
import os
import sys
import unicodedata

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFD))
# A SjisToUnicodeTable cell of TWO_UNIT_BASE + i: the character is SjisTwoUnitForms[i].
TWO_UNIT_BASE = 0xD800
# A page cell of MARK_BASE + i: the unit is CombiningMarks[i], which may complete a sequence.
MARK_BASE = 0xFD00

# The characters added in JIS X 0213:2004 (once left unmapped; checked to be mapped now).
ADDED_IN_2004 = [0x879F, 0x889E, 0x9873, 0x989E, 0xEAA5, 0xEFF8, 0xEFF9, 0xEFFA, 0xEFFB, 0xEFFC]
FORWARD_OVERRIDES = {
    0xFC5A: 0x9B1D,
    # Microsoft code page 932
    0x815F: 0xFF3C, 0x8160: 0xFF5E, 0x8161: 0x2225, 0x817C: 0xFF0D,
    0x8191: 0xFFE0, 0x8192: 0xFFE1, 0x81CA: 0xFFE2,
    # the ASCII characters
    0x81AD: 0x0027, 0x81AE: 0x0022, 0x81AF: 0x002D,
}
# Code points that older tables replaced by U+30FB: counted, to show every one is now mapped.
ONCE_PLACEHOLDER_RANGES = [
    (0x2047, 0x2047), (0x2051, 0x2051), (0x23BE, 0x23CC), (0x23CE, 0x23CE), (0x24EB, 0x24FE),
    (0x2616, 0x2617), (0x2934, 0x2935), (0x2985, 0x2986), (0x29BF, 0x29BF), (0x29FA, 0x29FB),
    (0x303B, 0x303D), (0x3095, 0x3096), (0x309F, 0x30A0), (0x30FF, 0x30FF), (0x31F0, 0x31FF),
    (0x3251, 0x325F), (0x32B1, 0x32BF), (0x69EA, 0x69EA), (0x9B2D, 0x9B2D), (0xFA30, 0xFA6A),
    (0xFE45, 0xFE46),
]
REVERSE_PREFERRED = {0x2225: 0x8161}
REVERSE_SINGLE_BYTE = [0x0022, 0x0027, 0x002D, 0x007E]
REVERSE_ADDED = {
    0x0080: 0x80, 0x00A2: 0x8191, 0x00A3: 0x8192, 0x00A5: 0x5C, 0x00AC: 0x81CA, 0x00B5: 0x83CA,
    0x2211: 0x83B0, 0xF8F0: 0xA0, 0xF8F1: 0xFD, 0xF8F2: 0xFE, 0xF8F3: 0xFF,
}
EXPECTED_PAGES = (list(range(0x00, 0x05)) + list(range(0x1E, 0x28)) + [0x29] + list(range(0x30, 0xA0))
                  + list(range(0xF8, 0xFB)) + [0xFE, 0xFF])  # 133 pages
FULL_WIDTH_KANA = ("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
                   "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜")
# Half-width letters whose voiced form JIS X 0213 has only as the "W" row katakana.
VOICED_EXTRA = {"ｲ": "ヸ", "ｴ": "ヹ"}
PLANE2_ROW_LEADS = [0x81, 0x84, 0x82, 0x82, 0x83, 0x86, 0x87, 0x87, 0x88, 0xE7]
# The characters that Windows and the rest of the world write with different code points:
# (internal code, the Windows form, the standard form). Both read into the one code; the
# page cell of each form is FORM_BASE + 2 * i (+ 1 for the standard form), so that reading
# notes which form a text used and writing can give it back.
FORMS = [(0x815C, 0x2015, 0x2014), (0x8160, 0xFF5E, 0x301C), (0x8161, 0x2225, 0x2016),
         (0x817C, 0xFF0D, 0x2212), (0x8191, 0xFFE0, 0x00A2), (0x8192, 0xFFE1, 0x00A3),
         (0x81CA, 0xFFE2, 0x00AC)]
FORM_BASE = 0xFD40
# A Cp932ToSjisTable cell for a Windows code whose character the internal text lacks
# (髙 FBFC); 0 stays "no character" (unassigned, and the user-defined leads F0-F9).
CP932_NOT_HELD = 0xFFFF


def check(condition, message):
    if not condition:
        sys.exit("gen_encoding_tables: " + message)


def published_mapping():
    """Every double-byte code to its published decoding (a str of 1 or 2 code points)."""
    mapping = {}
    for lead in LEADS:
        for trail in TRAILS:
            try:
                mapping[lead * 256 + trail] = bytes([lead, trail]).decode("shift_jis_2004")
            except UnicodeDecodeError:
                pass
    return mapping


def in_once_placeholder_list(cp):
    return any(low <= cp <= high for low, high in ONCE_PLACEHOLDER_RANGES)


def utf16_units(text):
    data = text.encode("utf-16-le")
    return tuple(data[i] | data[i + 1] << 8 for i in range(0, len(data), 2))


def build_forward(published):
    """Every double-byte code to the tuple of UTF-16 units of its character (1 or 2)."""
    forward = {}
    above_bmp = pairs = listed = added = 0
    for code, text in published.items():
        if code in FORWARD_OVERRIDES:
            forward[code] = (FORWARD_OVERRIDES[code],)
            continue
        check(1 <= len(text) <= 2, "unexpected decoding of %04X" % code)
        if code in ADDED_IN_2004:
            added += 1
        elif len(text) == 2:
            pairs += 1
            check(all(ord(ch) <= 0xFFFF for ch in text), "a sequence above U+FFFF at %04X" % code)
        elif ord(text) > 0xFFFF:
            above_bmp += 1
        elif in_once_placeholder_list(ord(text)):
            listed += 1
        forward[code] = utf16_units(text)
    check(added == len(ADDED_IN_2004), "a 2004 addition is missing from the codec")
    check(above_bmp == 302, "expected 302 codes above U+FFFF, found %d" % above_bmp)
    check(pairs == 25, "expected 25 two-code-point codes, found %d" % pairs)
    check(listed == 164, "expected 164 codes of listed code points, found %d" % listed)
    check(above_bmp + pairs + listed == 491 and added == 10, "expected 491 + 10 codes")
    check(len(forward) == 11233, "expected 11,233 mapped double-byte codes, found %d" % len(forward))
    return forward


def build_two_unit_forms(forward):
    """The codes whose character takes two UTF-16 units, in code order."""
    codes = sorted(code for code, units in forward.items() if len(units) == 2)
    check(len(codes) == 303 + 25, "expected 328 two-unit codes, found %d" % len(codes))
    check(len(codes) < 0x800, "two-unit markers must stay inside the surrogate range")
    return codes


def build_reverse(forward):
    reverse = {cp: cp for cp in range(0x80)}
    for b in range(0xA1, 0xE0):
        reverse[0xFF61 + b - 0xA1] = b
    owners = {}
    for code in sorted(forward):
        if len(forward[code]) == 1:
            owners.setdefault(forward[code][0], []).append(code)
    for cp, codes in owners.items():
        if cp < 0x80:
            check(cp in REVERSE_SINGLE_BYTE, "a double-byte code maps to ASCII U+%04X" % cp)
            continue
        check(not 0xFF61 <= cp <= 0xFF9F, "a double-byte code maps to half-width U+%04X" % cp)
        check(not 0xD800 <= cp <= 0xDFFF, "a double-byte code maps to a surrogate U+%04X" % cp)
        if len(codes) > 1:
            check(cp in REVERSE_PREFERRED, "U+%04X has several codes: %s" % (cp, codes))
            reverse[cp] = REVERSE_PREFERRED[cp]
        else:
            reverse[cp] = codes[0]
    check(reverse[0x30FB] == 0x8145, "U+30FB must go back to 0x8145 alone")
    reverse.update(REVERSE_ADDED)
    check(all(code < MARK_BASE for code in reverse.values()), "a code collides with the mark markers")
    return reverse


def build_supplementary(published):
    """(code point, code) for every character above U+FFFF, sorted by code point."""
    entries = sorted((ord(text), code) for code, text in published.items() if len(text) == 1 and ord(text) > 0xFFFF)
    check(len(entries) == 303, "expected 303 codes above U+FFFF, found %d" % len(entries))
    check(len({cp for cp, _ in entries}) == len(entries), "a code point above U+FFFF has several codes")
    return entries


def build_sequences(published, reverse):
    """The 25 (base, mark, code) sequences and the marks that can complete one.

    Each mark gets a marker in the pages (reverse) in place of its own code, which stays
    in CombiningMarks as the code of the mark alone (0: none)."""
    sequences = sorted((ord(text[0]), ord(text[1]), code) for code, text in published.items() if len(text) == 2)
    check(len(sequences) == 25, "expected 25 sequences")
    for base, mark, code in sequences:
        check(reverse.get(base, 0) >= 0x100, "the base of %04X has no double-byte code" % code)
    marks = sorted({mark for _, mark, _ in sequences})
    check(marks == [0x02E5, 0x02E9, 0x0300, 0x0301, 0x309A], "unexpected combining marks %s" % marks)
    mark_table = [(mark, reverse.get(mark, 0)) for mark in marks]
    for i, mark in enumerate(marks):
        reverse[mark] = MARK_BASE + i
    pages = sorted({cp >> 8 for cp in reverse})
    check(pages == EXPECTED_PAGES, "unexpected page set %s" % [hex(p) for p in pages])
    check(len(pages) == 133, "expected 133 pages")
    return sequences, mark_table


def build_kana(reverse, published):
    pair_codes = {text: code for code, text in published.items() if len(text) == 2}

    def code_of(text):
        if len(text) == 1:
            return reverse.get(ord(text), 0)
        return pair_codes.get(text, 0)

    plain, voiced, semi = [], [], []
    for b in range(0xA1, 0xE0):
        half = chr(0xFF61 + b - 0xA1)
        full = unicodedata.normalize("NFKC", half)
        # NFKC turns the half-width marks into combining ones; the program writes the
        # spacing full-width marks.
        full = {"\u3099": "\u309B", "\u309A": "\u309C"}.get(full, full)
        plain.append(code_of(full))
        with_voiced = VOICED_EXTRA.get(half) or unicodedata.normalize("NFKC", half + "\uFF9E")
        voiced.append(code_of(with_voiced) if len(with_voiced) == 1 else 0)
        with_semi = unicodedata.normalize("NFKC", half + "\uFF9F")
        semi.append(code_of(with_semi) if with_semi[0] != "\u309A" else 0)
    expected_plain = [reverse[ord(ch)] for ch in FULL_WIDTH_KANA]
    check(plain == expected_plain, "plain half-width table differs from the full-width list")
    check(sum(1 for c in voiced if c) == 25, "expected 25 voiced entries")
    check(sum(1 for c in semi if c) == 13, "expected 13 semi-voiced entries")
    check(voiced[0xB3 - 0xA1] == 0x8394 and voiced[0xDC - 0xA1] == 0x8492, "voiced U/WA")
    check([semi[b - 0xA1] for b in (0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBE, 0xC2, 0xC4)]
          == list(range(0x8397, 0x839F)), "semi-voiced JIS X 0213 katakana")
    return plain, voiced, semi


def sjis_to_jis(code, row_leads):
    """The row/cell arithmetic of the program, checked here against the codec."""
    lead, trail = code >> 8, code & 0xFF
    if lead < 0xF0:
        sub = lead
    elif lead <= 0xF4:
        sub = row_leads[(lead - 0xF0) * 2 + (1 if trail > 0x9E else 0)]
    else:
        sub = lead - 13
    row = 2 * (sub - 0x71) + 1 if sub <= 0x9F else 2 * (sub - 0xB1) + 1
    if trail > 0x9E:
        row += 1
    if trail <= 0x7E:
        cell = trail - 0x1F
    elif trail <= 0x9E:
        cell = trail - 0x20
    else:
        cell = trail - 0x7E
    return row * 256 + cell


def build_plane2_row_leads(published):
    row_leads = []
    for lead in range(0xF0, 0xF5):
        for second_half in (False, True):
            trails = [t for t in TRAILS if (t > 0x9E) == second_half]
            code = next(lead * 256 + t for t in trails if lead * 256 + t in published)
            euc = published[code].encode("euc_jis_2004")
            check(len(euc) == 3 and euc[0] == 0x8F, "plane-2 code %04X is not behind SS3" % code)
            row = euc[1] & 0x7F
            base = row - 1 - (1 if second_half else 0)
            sub = base // 2 + 0x71
            if sub > 0x9F:
                sub = base // 2 + 0xB1
            row_leads.append(sub)
    check(row_leads == PLANE2_ROW_LEADS, "plane-2 row table %s" % [hex(x) for x in row_leads])
    # The arithmetic must reproduce the codec's JIS code for every mapped double-byte code.
    checked = 0
    for code, text in published.items():
        euc = text.encode("euc_jis_2004")
        if len(euc) == 1:
            continue  # 0x815F and 0x81B0 decode to ASCII, which EUC writes as one byte
        checked += 1
        jis = ((euc[-2] & 0x7F) << 8) | (euc[-1] & 0x7F)
        check(sjis_to_jis(code, row_leads) == jis, "row/cell of %04X" % code)
        check((len(euc) == 3) == (code >> 8 >= 0xF0), "plane of %04X" % code)
    check(checked == len(published) - 2, "row/cell checked for %d codes" % checked)
    return row_leads


def build_jisx0212(published):
    table = []
    for row in range(0x30, 0x6E):
        for cell in range(0x21, 0x7F):
            code = 0
            try:
                ch = bytes([0x8F, row | 0x80, cell | 0x80]).decode("euc_jp")
                sjis = ch.encode("shift_jis_2004")
                if len(sjis) == 2:
                    code = sjis[0] * 256 + sjis[1]
                    check(code in published, "JIS X 0212 %04X gives no Shift_JIS-2004 code" % (row * 256 + cell))
            except (UnicodeDecodeError, UnicodeEncodeError):
                pass
            table.append(code)
    return table


def cp932_rank(code):
    """Windows writes a character that has two codes in the IBM form (FA40-FC4B), never in
    the NEC-selected copy of it (ED40-EEFC); among the others the lowest code wins."""
    return (1 if 0xED00 <= code <= 0xEEFF else 0, code)


def build_cp932(forward, reverse):
    """Windows code -> internal code, and internal code -> Windows code (0: none)."""
    decoded = {}
    for lead in LEADS:
        if 0xF0 <= lead <= 0xF9:
            continue  # user-defined characters: private-use code points, never held
        for trail in TRAILS:
            try:
                decoded[lead * 256 + trail] = bytes([lead, trail]).decode("cp932")
            except UnicodeDecodeError:
                pass
    check(len(decoded) == 7724, "expected 7,724 Windows double-byte codes, found %d" % len(decoded))
    to_sjis = {}
    for code, text in decoded.items():
        held = reverse.get(ord(text), 0)
        # Only a code that gives the same character back holds it: U+2211 (∑) goes to
        # Σ on the way in from Unicode, which would change the file.
        kept = 0x100 <= held < MARK_BASE and forward.get(held) == (ord(text),)
        to_sjis[code] = held if kept or (0 < held < 0x100) else CP932_NOT_HELD
    by_char = {}
    for code, text in decoded.items():
        by_char.setdefault(text, []).append(code)
    to_cp932 = {}
    for code, units in forward.items():
        if len(units) != 1 or chr(units[0]) not in by_char:
            continue
        text = chr(units[0])
        best = min(by_char[text], key=cp932_rank)
        codec = int.from_bytes(text.encode("cp932"), "big")
        check(codec == best or (0xED00 <= codec <= 0xEEFF and best >= 0xFA40),
              "Windows form of U+%04X: codec %04X, chosen %04X" % (units[0], codec, best))
        to_cp932[code] = best
    not_held = sum(1 for v in to_sjis.values() if v == CP932_NOT_HELD)
    check(not_held == 175, "expected 175 Windows codes the internal text lacks, found %d" % not_held)
    check(to_sjis[0xFBFC] == CP932_NOT_HELD and to_cp932[0x86B3] == 0xFA40 and to_cp932[0x8160] == 0x8160,
          "Windows forms of 髙, ⅰ and ～")
    return to_sjis, to_cp932


def mark_forms(forward, reverse):
    """Puts the form markers into the pages (after everything else has read them)."""
    for i, (code, windows, standard) in enumerate(FORMS):
        check(forward[code] == (windows,) and reverse[windows] == code, "Windows form of %04X" % code)
        check(reverse.get(standard, code) == code, "standard form of %04X taken" % code)
        reverse[windows] = FORM_BASE + 2 * i
        reverse[standard] = FORM_BASE + 2 * i + 1
    pages = sorted({cp >> 8 for cp in reverse})
    check(pages == EXPECTED_PAGES, "the forms need pages %s" % [hex(p) for p in pages])


def build_jisx0208_cells():
    """One bit per plane-1 row/cell: set for the characters of JIS X 0208, which JIS writes
    under ESC $ B so that every ISO-2022-JP reader takes them."""
    bits = [[0] * 12 for _ in range(94)]
    count = 0
    for row in range(0x21, 0x7F):
        for cell in range(0x21, 0x7F):
            try:
                (b"\x1b$B" + bytes([row, cell])).decode("iso2022_jp")
            except UnicodeDecodeError:
                continue
            bits[row - 0x21][(cell - 0x21) >> 3] |= 1 << ((cell - 0x21) & 7)
            count += 1
    check(count == 6879, "expected the 6,879 characters of JIS X 0208, found %d" % count)
    return bits


def rows_of(values, per_line=16):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append("    " + ", ".join("0x%04X" % v for v in values[i:i + per_line]) + ",")
    return lines


def render(forward, two_unit, reverse, supplementary, sequences, marks, kana, row_leads, jisx0212, cp932, jisx0208):
    out = ["// Generated by src/encoding/gen/gen_encoding_tables.py from the Shift_JIS-2004,",
           "// EUC-JIS-2004, EUC-JP, ISO-2022-JP and cp932 codecs of Python's standard library. Do not edit.",
           '#include "encoding/EncodingTables.h"', "",
           "static_assert(kTwoUnitBase == 0x%04X && kMarkBase == 0x%04X, \"markers as generated\");"
           % (TWO_UNIT_BASE, MARK_BASE), "",
           "const std::uint16_t SjisToUnicodeTable[60][188] = {"]
    marker = {code: TWO_UNIT_BASE + i for i, code in enumerate(two_unit)}
    for lead in LEADS:
        cells = []
        for t in TRAILS:
            code = lead * 256 + t
            units = forward.get(code, (0,))
            cells.append(marker[code] if len(units) == 2 else units[0])
        out.append("  { // lead 0x%02X" % lead)
        out += rows_of(cells)
        out.append("  },")
    out += ["};", "", "const char16_t SjisTwoUnitForms[%d][2] = {" % len(two_unit)]
    for code in two_unit:
        out.append("    {0x%04X, 0x%04X},  // 0x%04X" % (forward[code] + (code,)))
    out += ["};", "", "const SupplementaryCode SupplementaryToSjis[%d] = {" % len(supplementary)]
    for i in range(0, len(supplementary), 4):
        out.append("    " + " ".join("{0x%05X, 0x%04X}," % e for e in supplementary[i:i + 4]))
    out += ["};", "", "const CombiningSequence CombiningSequences[%d] = {" % len(sequences)]
    for e in sequences:
        out.append("    {0x%04X, 0x%04X, 0x%04X}," % e)
    out += ["};", "", "const CombiningMark CombiningMarks[%d] = {" % len(marks)]
    for e in marks:
        out.append("    {0x%04X, 0x%04X}," % e)
    out += ["};", "", "static_assert(kFormBase == 0x%04X, \"form markers as generated\");" % FORM_BASE,
            "const FormCharacter FormCharacters[%d] = {" % len(FORMS)]
    for e in FORMS:
        out.append("    {0x%04X, 0x%04X, 0x%04X}," % e)
    out += ["};", "", "namespace {", ""]
    pages = sorted({cp >> 8 for cp in reverse})
    for page in pages:
        cells = [reverse.get(page * 256 + low, 0) for low in range(256)]
        out.append("const std::uint16_t kPage%02X[256] = {" % page)
        out += rows_of(cells)
        out.append("};")
    out += ["", "}  // namespace", "", "const std::uint16_t* const UnicodeToSjisPages[256] = {"]
    slots = ["kPage%02X" % p if p in pages else "nullptr" for p in range(256)]
    for i in range(0, 256, 8):
        out.append("    " + ", ".join(slots[i:i + 8]) + ",")
    out += ["};", "", "const HalfWidthKanaTables kHalfWidthKana = {"]
    for name, table in zip(("plain", "voiced", "semi-voiced"), kana):
        out.append("  { // %s" % name)
        out += rows_of(table)
        out.append("  },")
    out += ["};", "", "const std::uint8_t Plane2RowLeads[10] = {",
            "    " + ", ".join("0x%02X" % x for x in row_leads) + ",", "};", "",
            "const std::uint16_t Jisx0212Table[62][94] = {"]
    for r in range(62):
        out.append("  { // row 0x%02X" % (0x30 + r))
        out += rows_of(jisx0212[r * 94:(r + 1) * 94])
        out.append("  },")
    out += ["};", ""]
    out += ["const std::uint8_t Jisx0208Cells[94][12] = {"]
    for row in jisx0208:
        out.append("    {" + ", ".join("0x%02X" % b for b in row) + "},")
    out += ["};", ""]
    for name, table in zip(("Cp932ToSjisTable", "SjisToCp932Table"), cp932):
        out += ["const std::uint16_t %s[60][188] = {" % name]
        for lead in LEADS:
            out.append("  { // lead 0x%02X" % lead)
            out += rows_of([table.get(lead * 256 + t, 0) for t in TRAILS])
            out.append("  },")
        out += ["};", ""]
    return "\n".join(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "EncodingTables.generated.cpp")
    published = published_mapping()
    forward = build_forward(published)
    two_unit = build_two_unit_forms(forward)
    reverse = build_reverse(forward)
    kana = build_kana(reverse, published)
    supplementary = build_supplementary(published)
    sequences, marks = build_sequences(published, reverse)
    row_leads = build_plane2_row_leads(published)
    jisx0212 = build_jisx0212(published)
    jisx0208 = build_jisx0208_cells()
    cp932 = build_cp932(forward, {cp: code for cp, code in reverse.items() if code < MARK_BASE})
    mark_forms(forward, reverse)
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(render(forward, two_unit, reverse, supplementary, sequences, marks, kana, row_leads, jisx0212, cp932, jisx0208))


if __name__ == "__main__":
    main()
