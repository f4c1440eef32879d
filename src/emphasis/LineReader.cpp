// LineReader: the whole file in memory, lines cut from it one at a time.
#include "emphasis/LineReader.h"

#include <climits>
#include <cstring>

#include "encoding/SjisBytes.h"
#include "files/FileAccess.h"

namespace {

// Start and end of field n (from 1) of the current line; false when there is none.
bool FindField(const LineReader& reader, int n, size_t& start, size_t& end)
{
    if (n < 1) return false;
    int field = 1;
    start = 0;
    for (size_t i = 0; i < reader.length; ++i) {
        unsigned char b = static_cast<unsigned char>(reader.line[i]);
        if (sjis::IsLeadByte(b)) {
            if (i + 1 < reader.length) ++i;
            continue;
        }
        if (b != ',') continue;
        if (field == n) {
            end = i;
            return true;
        }
        ++field;
        start = i + 1;
    }
    end = reader.length;
    return field == n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

bool OpenLineReader(LineReader& reader, const char* path)
{
    std::string bytes;
    if (!path || !ReadWholeFile(path, bytes)) {
        CloseLineReader(reader);
        return false;
    }
    OpenLineReaderOnBytes(reader, std::move(bytes));
    return true;
}

void OpenLineReaderOnBytes(LineReader& reader, std::string bytes)
{
    // Text mode: a CR directly before an LF is not part of the line.
    size_t out = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        bytes[out++] = bytes[i];
    }
    bytes.resize(out);
    reader.bytes = std::move(bytes);
    reader.next = 0;
    reader.open = true;
    reader.line[0] = 0;
    reader.length = 0;
}

bool ReadLine(LineReader& reader)
{
    reader.line[0] = 0;
    reader.length = 0;
    if (!reader.open || reader.next >= reader.bytes.size()) return false;
    const char* start = reader.bytes.data() + reader.next;
    size_t left = reader.bytes.size() - reader.next;
    size_t take = left < kLineReaderMax ? left : kLineReaderMax;
    const void* feed = std::memchr(start, '\n', take);
    size_t length = feed ? static_cast<size_t>(static_cast<const char*>(feed) - start) : take;
    std::memcpy(reader.line, start, length);
    reader.line[length] = 0;
    reader.length = length;
    reader.next += length;
    // The line feed that ends the line (or directly follows a part of full length)
    // belongs to it; a full part followed by more text leaves the rest for the next line.
    if (reader.next < reader.bytes.size() && reader.bytes[reader.next] == '\n') ++reader.next;
    return true;
}

int FieldCount(const LineReader& reader)
{
    int count = 1;
    for (size_t i = 0; i < reader.length; ++i) {
        unsigned char b = static_cast<unsigned char>(reader.line[i]);
        if (sjis::IsLeadByte(b)) {
            if (i + 1 < reader.length) ++i;
        } else if (b == ',') {
            ++count;
        }
    }
    return count;
}

bool GetField(const LineReader& reader, int n, std::string& field)
{
    field.clear();
    size_t start, end;
    if (!FindField(reader, n, start, end)) return false;
    field.assign(reader.line + start, end - start);
    return true;
}

int GetFieldInt(const LineReader& reader, int n)
{
    std::string field;
    return GetField(reader, n, field) ? ReadDecimal(field.c_str()) : 0;
}

void CloseLineReader(LineReader& reader)
{
    reader.bytes.clear();
    reader.bytes.shrink_to_fit();
    reader.next = 0;
    reader.open = false;
    reader.line[0] = 0;
    reader.length = 0;
}

int ReadDecimal(const char* text)
{
    if (text == nullptr) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        // Held at the limits: a setting line with a huge number must still be judged by
        // its sign, never by a wrapped value.
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (*text - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
