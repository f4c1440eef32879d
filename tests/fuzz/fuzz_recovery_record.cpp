// Fuzzes the recovery-record reader: any bytes as a copy. A refused record leaves the
// caller's record untouched; an accepted one, written again, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "documents/RecoveryRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
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
