// Writing and reading the recovery record.
#include "documents/RecoveryRecord.h"

#include <array>
#include <charconv>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'K', 'V', 'T', 'E', 'R', 'C', 'V', '\x1a'};
constexpr std::size_t kTrailerBytes = 12;
// No record the program writes has more: more is a damaged count, not a reason to allocate.
constexpr std::uint32_t kMostProperties = 4096;

void PutU32(std::string& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

void PutU64(std::string& out, std::uint64_t value)
{
    for (int i = 0; i < 8; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::uint64_t GetLittle(const char* bytes, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

void PutText(std::string& out, std::string_view text)
{
    PutU32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text.data(), text.size());
}

void PutProperty(std::string& out, std::string_view key, std::string_view value)
{
    PutText(out, key);
    PutText(out, value);
}

template <typename Number>
void PutNumber(std::string& out, std::string_view key, Number value)
{
    PutProperty(out, key, std::to_string(value));
}

// Reads what a bounded cursor gives; every read checks what is left first.
struct Cursor {
    const char* at;
    const char* end;

    bool Text(std::string_view& text)
    {
        if (end - at < 4) return false;
        std::uint64_t length = GetLittle(at, 4);
        at += 4;
        if (static_cast<std::uint64_t>(end - at) < length) return false;
        text = std::string_view(at, static_cast<std::size_t>(length));
        at += length;
        return true;
    }
};

template <typename Number>
bool ParseNumber(std::string_view text, Number& value)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

const std::array<std::uint32_t, 256>& CrcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

// Stores one known property in record; false for a value that does not parse.
bool TakeProperty(std::string_view key, std::string_view value, RecoveryRecord& record)
{
    int flag = 0;
    if (key == "path") {
        record.path.assign(value);
    } else if (key == "encoding") {
        std::int32_t code = 0;
        if (!ParseNumber(value, code)) return false;
        record.encoding = static_cast<EncodingCode>(code);
    } else if (key == "lossy" || key == "writable" || key == "exists") {
        if (!ParseNumber(value, flag) || (flag != 0 && flag != 1)) return false;
        (key == "lossy" ? record.loadedLossily : key == "writable" ? record.writable : record.stamp.exists) = flag == 1;
    } else if (key == "line") {
        return ParseNumber(value, record.caretLine) && record.caretLine >= 1;
    } else if (key == "column") {
        return ParseNumber(value, record.caretColumn) && record.caretColumn >= 1;
    } else if (key == "size") {
        return ParseNumber(value, record.stamp.size);
    } else if (key == "time") {
        return ParseNumber(value, record.stamp.writeTime);
    } else if (key == "fingerprint") {
        return ParseNumber(value, record.stamp.fingerprint);
    } else {
        record.extra.emplace_back(key, value);
    }
    return true;
}

}  // namespace

std::uint32_t Crc32(const char* data, std::size_t length, std::uint32_t crc)
{
    const std::array<std::uint32_t, 256>& table = CrcTable();
    crc = ~crc;
    for (std::size_t i = 0; i < length; ++i) crc = table[(crc ^ static_cast<unsigned char>(data[i])) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::string RecoveryHeader(const RecoveryRecord& record)
{
    std::string out(kMagic, sizeof kMagic);
    PutU32(out, kRecoveryVersion);
    PutU32(out, static_cast<std::uint32_t>(10 + record.extra.size()));
    PutProperty(out, "path", record.path);
    PutNumber(out, "encoding", static_cast<std::int32_t>(record.encoding));
    PutNumber(out, "lossy", record.loadedLossily ? 1 : 0);
    PutNumber(out, "writable", record.writable ? 1 : 0);
    PutNumber(out, "line", record.caretLine);
    PutNumber(out, "column", record.caretColumn);
    PutNumber(out, "exists", record.stamp.exists ? 1 : 0);
    PutNumber(out, "size", record.stamp.size);
    PutNumber(out, "time", record.stamp.writeTime);
    PutNumber(out, "fingerprint", record.stamp.fingerprint);
    for (const auto& [key, value] : record.extra) PutProperty(out, key, value);
    return out;
}

void AppendRecoveryTrailer(std::string& bytes, std::uint64_t textLength)
{
    PutU64(bytes, textLength);
    PutU32(bytes, Crc32(bytes.data(), bytes.size()));
}

std::string WriteRecoveryRecord(const RecoveryRecord& record)
{
    std::string bytes = RecoveryHeader(record);
    bytes += record.text;
    AppendRecoveryTrailer(bytes, record.text.size());
    return bytes;
}

RecoveryReadResult ReadRecoveryRecord(std::string_view bytes, RecoveryRecord& record)
{
    if (bytes.size() < sizeof kMagic + 8 + kTrailerBytes || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        return RecoveryReadResult::Damaged;
    }
    const char* trailer = bytes.data() + bytes.size() - kTrailerBytes;
    if (GetLittle(trailer + 8, 4) != Crc32(bytes.data(), bytes.size() - 4)) return RecoveryReadResult::Damaged;
    // The check passed: a version this program does not know is a newer program's record,
    // not damage.
    if (GetLittle(bytes.data() + sizeof kMagic, 4) != kRecoveryVersion) return RecoveryReadResult::UnknownVersion;

    RecoveryRecord read;
    Cursor cursor{bytes.data() + sizeof kMagic + 8, trailer};
    const std::uint64_t count = GetLittle(bytes.data() + sizeof kMagic + 4, 4);
    if (count > kMostProperties) return RecoveryReadResult::Damaged;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string_view key, value;
        if (!cursor.Text(key) || !cursor.Text(value) || !TakeProperty(key, value, read)) {
            return RecoveryReadResult::Damaged;
        }
    }
    if (GetLittle(trailer, 8) != static_cast<std::uint64_t>(trailer - cursor.at)) return RecoveryReadResult::Damaged;
    read.text.assign(cursor.at, trailer);
    record = std::move(read);
    return RecoveryReadResult::Ok;
}
