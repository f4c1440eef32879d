"""Tests of the help build's own tools: the directory reader on damaged files, the
contents outline and its nesting, and the in-place re-encoding of the system record.

usage: test_help_tools.py HELP_CHM   (a help.chm built by build_chm.py)
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import build_chm  # noqa: E402
import chm_directory  # noqa: E402
import check_topics  # noqa: E402

CHM = None


class DirectoryReader(unittest.TestCase):
    def setUp(self):
        with open(CHM, "rb") as handle:
            self.data = handle.read()

    def test_a_built_file_lists_its_pages_by_their_japanese_names(self):
        names = chm_directory.ChmFile(self.data).names()
        self.assertIn("/_RESOURCE/機能一覧.html", names)
        self.assertIn("/#SYSTEM", names)

    def test_damaged_files_are_reported_never_crash(self):
        rng = random.Random(7)
        header_end = 0x200
        for trial in range(300):
            data = bytearray(self.data)
            if trial % 3 == 0:
                data = data[:rng.randrange(len(data))]
            else:
                for _ in range(rng.randint(1, 8)):
                    # Mostly the headers and the directory, where the reader looks.
                    limit = header_end if trial % 3 == 1 else len(data)
                    data[rng.randrange(min(limit, len(data)))] = rng.randrange(256)
            try:
                chm_directory.ChmFile(bytes(data))
            except chm_directory.ChmError:
                pass

    def test_a_name_longer_than_its_chunk_is_refused(self):
        chm = chm_directory.ChmFile(self.data)
        directory = struct.unpack_from("<Q", self.data, 0x48)[0]
        header = struct.unpack_from("<I", self.data, directory + 8)[0]
        first_entry = directory + header + 0x14
        data = bytearray(self.data)
        data[first_entry] = 0x7F | 0x80  # a name length of thousands
        data[first_entry + 1] = 0x7F
        with self.assertRaises(chm_directory.ChmError):
            chm_directory.ChmFile(bytes(data))
        self.assertTrue(chm.entries)


@unittest.skipUnless(shutil.which("chmls"), "chmls (fp-utils) unpacks the stored files")
class StoredText(unittest.TestCase):
    def extract(self, name):
        with tempfile.TemporaryDirectory() as work:
            target = os.path.join(work, "out")
            subprocess.run(["chmls", "extract", CHM, name, target], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)
            with open(target, "rb") as handle:
                return handle.read()

    def test_pages_are_stored_byte_for_byte(self):
        here = os.path.dirname(os.path.abspath(__file__))
        for page in ("機能一覧.html", "正規表現.html"):
            with open(os.path.join(here, "_RESOURCE", page), "rb") as handle:
                self.assertEqual(self.extract("/_RESOURCE/" + page), handle.read(), page)

    def test_the_contents_and_the_index_are_shift_jis(self):
        contents = self.extract("/toc.hhc").decode("cp932")
        self.assertIn('value="_RESOURCE\\機能一覧.html"', contents)
        index = self.extract("/index.hhk").decode("cp932")
        self.assertIn('value="正規表現"', index)


class Outline(unittest.TestCase):
    def write(self, text):
        handle = tempfile.NamedTemporaryFile("w", encoding="utf-8", suffix=".txt", delete=False)
        handle.write(text)
        handle.close()
        self.addCleanup(os.unlink, handle.name)
        return handle.name

    def test_levels_nest_and_close_in_the_contents(self):
        outline = build_chm.read_outline(self.write(
            "# comment\nトップ | index.html\n章\n  節 | a.html\n    項 | b.html\n最後 | c.html\n"))
        self.assertEqual([level for level, _, _ in outline], [0, 0, 1, 2, 0])
        text = build_chm.contents_text(outline)
        self.assertEqual(text.count("<UL>"), text.count("</UL>"))
        # The last entry is back at the top level: three lists are open before it.
        before_last = text.split("最後")[0]
        self.assertEqual(before_last.count("<UL>") - before_last.count("</UL>"), 1)
        self.assertIn('value="_RESOURCE\\b.html"', text)
        self.assertNotIn('<param name="Local" value="_RESOURCE\\">', text)

    def test_an_entry_two_levels_below_its_parent_is_refused(self):
        with self.assertRaises(build_chm.BuildError):
            build_chm.read_outline(self.write("章\n    項 | b.html\n"))
        with self.assertRaises(build_chm.BuildError):
            build_chm.read_outline(self.write("章\n   項 | b.html\n"))

    def test_a_text_without_shift_jis_code_is_named(self):
        with self.assertRaises(build_chm.BuildError) as caught:
            build_chm.shift_jis("絵文字😀", "index")
        self.assertIn("😀", str(caught.exception))


class SystemTexts(unittest.TestCase):
    def test_reencoding_keeps_every_offset_and_reads_as_shift_jis(self):
        with open(CHM, "rb") as handle:
            original = handle.read()
        with tempfile.TemporaryDirectory() as work:
            copy = os.path.join(work, "help.chm")
            # Put the UTF-8 title back, as the compiler writes it, then re-encode again.
            chm = chm_directory.ChmFile(original)
            texts = check_topics.system_texts(chm)
            sjis = texts[3]
            utf8 = sjis.decode("cp932").encode("utf-8")
            start = original.index(sjis + b"\0")
            data = bytearray(original)
            room = len(utf8) + 1
            self.assertLessEqual(len(sjis), room)
            # Only possible when the stored entry is long enough: it is, since the
            # compiler wrote UTF-8 there first.
            data[start:start + room] = utf8 + b"\0"
            with open(copy, "wb") as handle:
                handle.write(data)
            build_chm.reencode_system_texts(copy)
            with open(copy, "rb") as handle:
                again = handle.read()
        self.assertEqual(len(again), len(original))
        self.assertEqual(check_topics.system_texts(chm_directory.ChmFile(again))[3].decode("cp932"),
                         build_chm.TITLE)
        self.assertEqual(chm_directory.ChmFile(again).entries, chm.entries)


if __name__ == "__main__":
    CHM = sys.argv.pop(1)
    unittest.main()
