// Fuzzes the ini text engine: any bytes as a file, then a write and a read back. A value
// written must read back unchanged, whatever the file held before, and nothing may read
// past the text. Then the same file goes through a batch of operations whose names may hold
// anything: a name that is refused must leave the text as it was and spoil the batch, an
// accepted one must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/IniText.h"
#include "config/ProfileBatch.h"

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

// A name that may be refused: bytes drawn from those that matter to the syntax.
std::string RiskyName(const uint8_t*& data, size_t& size)
{
    static const char kBytes[] = {'a', 'B', ']', '=', ' ', '\r', '\n', ';', '[', '\x83', '\x5D', '\t'};
    std::string name;
    size_t length = size > 0 ? *data % 5 : 0;
    if (size > 0) ++data, --size;
    for (size_t i = 0; i < length && size > 0; ++i, ++data, --size) name.push_back(kBytes[*data % sizeof kBytes]);
    return name;
}

void RunBatch(const uint8_t* data, size_t size, const std::string& text)
{
    ProfileFile profile;
    OpenProfile(profile, "/nonexistent-folder/kvte.ini", "s");
    ProfileBatch batch;
    batch.profile = &profile;
    batch.text = text;
    for (int step = 0; step < 8 && size > 0 && !batch.failed; ++step) {
        uint8_t op = *data++;
        --size;
        std::string name = RiskyName(data, size);
        std::string before = batch.text;
        switch (op % 3) {
        case 0: {
            std::string key = name.empty() ? "k" : name;
            bool accepted = ini::IsKeyName(key) && profile.section[0] != '\0';
            if (WriteString(batch, key.c_str(), "v\x83]") != accepted) std::abort();
            char buffer[16];
            if (accepted && (GetString(batch, key.c_str(), buffer, sizeof buffer) != 3 || buffer[2] != ']'))
                std::abort();
            break;
        }
        case 1:
            if (AppendSection(batch, name.c_str()) != ini::IsSectionName(name)) std::abort();
            if (!batch.failed &&
                (batch.text.size() != before.size() + name.size() + 4 || !ini::HasSection(batch.text, name)))
                std::abort();
            break;
        case 2:
            if (!SetSection(batch, name.c_str())) break;  // the next write must then fail
            if (!DeleteSection(batch) || batch.text.size() > before.size()) std::abort();
            break;
        }
        if (batch.failed && batch.text != before) std::abort();
    }
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
    // Blanks and quotes at a value's ends are written so that they read back.
    if (readBack != value) std::abort();

    bool removed = false;
    std::string without = ini::WithoutSection(written, section, removed);
    if (!removed || without.size() >= written.size()) std::abort();

    RunBatch(reinterpret_cast<const uint8_t*>(text.data()), text.size() < 64 ? text.size() : 64, text);
    return 0;
}
