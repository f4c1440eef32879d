// Fuzzes the recovery-record reader: any bytes as a copy, and (when the first byte is odd)
// the rest sealed with a correct check sum, so that the reader's fields are reached past
// the check. A refused record leaves the caller's record untouched; an accepted one,
// written again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "documents/RecoveryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    if ((data[0] & 1) != 0 && bytes.size() >= 4) {
        const std::uint32_t crc = Crc32(bytes.data(), bytes.size() - 4);
        for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<char>((crc >> (8 * i)) & 0xff);
    }
    RecoveryRecord record;
    record.path = "untouched";
    if (ReadRecoveryRecord(bytes, record) != RecoveryReadResult::Ok) {
        if (record.path != "untouched" || !record.text.empty()) std::abort();
        return 0;
    }
    if (record.caretLine < 1 || record.caretColumn < 1) std::abort();
    RecoveryRecord again;
    if (ReadRecoveryRecord(WriteRecoveryRecord(record), again) != RecoveryReadResult::Ok) std::abort();
    if (again.text != record.text || again.path != record.path || again.extra != record.extra) std::abort();
    return 0;
}
