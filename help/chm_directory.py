"""Reads the directory of a compiled help file (.chm): the stored names with their
section, offset and length, and the bytes of files kept uncompressed (section 0).

The build uses it to re-encode the project texts in the system file, and the tests use it
to check which pages the built file holds. Only the directory is read: compressed files
(section 1) are listed but not unpacked.
"""
import struct
import sys
from typing import Dict, NamedTuple


class Entry(NamedTuple):
    section: int
    offset: int
    length: int


class ChmError(Exception):
    pass


def _encint(data: bytes, pos: int, end: int):
    # Seven bits a byte, most significant first; the high bit says another byte follows.
    value = 0
    for _ in range(10):
        if pos >= end:
            raise ChmError("directory entry runs past its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos
    raise ChmError("directory number too long")


class ChmFile:
    def __init__(self, data: bytes):
        self.data = data
        try:
            self._parse()
        except (struct.error, UnicodeDecodeError, OverflowError) as error:
            # A damaged file reports itself as such, whatever field gave way.
            raise ChmError(f"damaged directory: {error}") from None

    def _parse(self):
        data = self.data
        if len(data) < 0x60 or data[:4] != b"ITSF":
            raise ChmError("not a compiled help file (no ITSF header)")
        version = struct.unpack_from("<I", data, 4)[0]
        directory_offset = struct.unpack_from("<Q", data, 0x48)[0]
        if version >= 3:
            self.content_offset = struct.unpack_from("<Q", data, 0x58)[0]
        else:
            self.content_offset = None
        self.entries = self._read_directory(directory_offset)
        if self.content_offset is None:
            # Version 2 keeps section 0 right after the directory.
            directory_length = struct.unpack_from("<Q", data, 0x50)[0]
            self.content_offset = directory_offset + directory_length

    def _read_directory(self, offset: int) -> Dict[str, Entry]:
        data = self.data
        if offset + 0x54 > len(data) or data[offset:offset + 4] != b"ITSP":
            raise ChmError("directory header missing")
        header_length = struct.unpack_from("<I", data, offset + 8)[0]
        chunk_size = struct.unpack_from("<I", data, offset + 0x10)[0]
        chunk_count = struct.unpack_from("<I", data, offset + 0x2C)[0]
        if chunk_size < 0x14 or chunk_size > 1 << 20:
            raise ChmError("implausible directory chunk size")
        entries: Dict[str, Entry] = {}
        first = offset + header_length
        for index in range(chunk_count):
            start = first + index * chunk_size
            end = start + chunk_size
            if end > len(data):
                raise ChmError("directory chunk past the end of the file")
            if data[start:start + 4] != b"PMGL":
                continue  # index chunks (PMGI) only speed up look-ups
            free_space = struct.unpack_from("<I", data, start + 4)[0]
            if free_space > chunk_size - 0x14:
                raise ChmError("directory chunk with impossible free space")
            pos, stop = start + 0x14, end - free_space
            while pos < stop:
                length, pos = _encint(data, pos, stop)
                if pos + length > stop:
                    raise ChmError("directory name runs past its chunk")
                name = data[pos:pos + length].decode("utf-8")
                pos += length
                section, pos = _encint(data, pos, stop)
                file_offset, pos = _encint(data, pos, stop)
                file_length, pos = _encint(data, pos, stop)
                entries[name] = Entry(section, file_offset, file_length)
        return entries

    def names(self):
        return sorted(self.entries)

    def uncompressed_span(self, name: str):
        """(start, end) in the file of a section-0 file's bytes."""
        entry = self.entries.get(name)
        if entry is None:
            raise ChmError(f"{name} is not in the file")
        if entry.section != 0:
            raise ChmError(f"{name} is compressed")
        start = self.content_offset + entry.offset
        if start + entry.length > len(self.data):
            raise ChmError(f"{name} runs past the end of the file")
        return start, start + entry.length


def read(path: str) -> ChmFile:
    with open(path, "rb") as handle:
        return ChmFile(handle.read())


if __name__ == "__main__":
    for entry_name in read(sys.argv[1]).names():
        print(entry_name)
