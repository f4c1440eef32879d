// Fuzzes the environment-file reader: any bytes as a file. Every entry handed to the
// view must be a line's field (no longer than a line, never holding a line feed or, for
// a text, a comma outside a double-byte character), and a rejection names a line that
// exists. The field splitter must agree with its own count.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "emphasis/EmphasisLoader.h"
#include "emphasis/LineReader.h"

namespace {

struct Seen {
    int entries = 0;
    int refuseAt = -1;
};

void CheckText(const char* text)
{
    if (text == nullptr) return;
    size_t length = std::strlen(text);
    if (length > kLineReaderMax || std::memchr(text, '\n', length)) std::abort();
}

int Add(void* context, int, const char* text, const char* endText, int kind, uint32_t, int, int colourNumber,
        int fourth)
{
    auto* seen = static_cast<Seen*>(context);
    CheckText(text);
    CheckText(endText);
    if (kind < 1 || kind > 4 || colourNumber < 1 || colourNumber > 6 || fourth < 0) std::abort();
    if ((kind == 3 || kind == 4) != (endText != nullptr)) std::abort();
    return seen->entries++ == seen->refuseAt ? 0 : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Seen seen;
    if (size > 0) seen.refuseAt = data[0] % 16;
    EmphasisState state;
    state.host.addEmphasis = &Add;
    state.host.context = &seen;

    LineReader reader;
    OpenLineReaderOnBytes(reader, bytes);
    int line = 0;
    int result = ReadEmphasisDefinitions(state, 0, reader, nullptr, line);
    if (result != 0 && (line < 1 || static_cast<size_t>(line) > size)) std::abort();

    // Fields: as many as counted, each within the line.
    OpenLineReaderOnBytes(reader, bytes);
    int lines = 0;
    while (ReadLine(reader)) {
        if (reader.length > kLineReaderMax || reader.line[reader.length] != 0) std::abort();
        int count = FieldCount(reader);
        std::string field;
        size_t total = 0;
        for (int n = 1; n <= count; ++n) {
            if (!GetField(reader, n, field)) std::abort();
            total += field.size();
        }
        if (GetField(reader, count + 1, field) || !field.empty()) std::abort();
        if (total + static_cast<size_t>(count - 1) > reader.length) std::abort();
        ++lines;
    }
    if (static_cast<size_t>(lines) > size) std::abort();
    return 0;
}
