// Fuzzes the ini text engine: any bytes as a file, then a write and a read back. A value
// written must read back unchanged, whatever the file held before, and nothing may read
// past the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/IniText.h"

namespace {

// A name of plain letters and digits taken from the input (never empty).
std::string Name(const uint8_t*& data, size_t& size)
{
    std::string name;
    while (size > 0 && name.size() < 6) {
        uint8_t b = *data++;
        --size;
        if (b == 0) break;
        name.push_back(static_cast<char>('a' + b % 26));
    }
    return name.empty() ? "k" : name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string section = Name(data, size);
    std::string key = Name(data, size);
    // The value: printable single bytes and double-byte characters, no line end.
    std::string value;
    for (size_t i = 0; i < 4 && size > 0; ++i, ++data, --size) value.push_back(static_cast<char>(0x20 + *data % 0x5F));
    value.append("\x83\\");  // ソ: a trail byte that is a backslash
    std::string text(reinterpret_cast<const char*>(data), size);

    std::string_view found;
    ini::FindValue(text, section, key, found);
    ini::ParseInt(found);

    std::string written = ini::WithValue(text, section, key, value);
    std::string_view readBack;
    if (!ini::FindValue(written, section, key, readBack)) std::abort();
    // Blanks around a value are not part of it.
    std::string_view expected = value;
    while (!expected.empty() && expected.front() == ' ') expected.remove_prefix(1);
    if (readBack != expected) std::abort();

    bool removed = false;
    std::string without = ini::WithoutSection(written, section, removed);
    if (!removed || without.size() >= written.size()) std::abort();
    return 0;
}
