// LineReader: reads a text file (an environment file) line by line and splits the
// current line into comma-separated fields. The file is read whole when opened; CR LF
// arrives as LF. A line is at most kLineReaderMax bytes: a longer one is handed out in
// parts of that size, each part a line of its own. A comma is never taken from inside a
// double-byte character: a Shift_JIS lead byte (0x81-0x9F, 0xE0-0xFC) takes the byte
// after it with it.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kLineReaderMax = 1023;

struct LineReader {
    std::string bytes;      // the whole file, CR LF made LF
    size_t next = 0;        // where the next line starts in bytes
    bool open = false;
    char line[kLineReaderMax + 1] = {};  // the current line, zero-terminated
    size_t length = 0;                   // its bytes (it may hold zero bytes of its own)
};

// Reads the file at path (InternalText); false when it cannot be read.
bool OpenLineReader(LineReader& reader, const char* path);
// The same over bytes already in memory.
void OpenLineReaderOnBytes(LineReader& reader, std::string bytes);
// Makes the next line current without its line feed; false at the end of the file. A
// last line without a line feed is still a line.
bool ReadLine(LineReader& reader);
// Number of comma bytes of the current line plus 1.
int FieldCount(const LineReader& reader);
// Field n (from 1); false with an empty text when the line has no field n.
bool GetField(const LineReader& reader, int n, std::string& field);
// Field n read as a decimal integer (leading blanks and a sign allowed, reading stops at
// the first other byte, no digits give 0, values beyond int are held at its limits);
// 0 when the field is missing.
int GetFieldInt(const LineReader& reader, int n);
void CloseLineReader(LineReader& reader);

// The decimal conversion of GetFieldInt on a zero-terminated text.
int ReadDecimal(const char* text);
