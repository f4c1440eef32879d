// The parts of FileAccess that do not depend on the platform.
#include "files/FileAccess.h"

#include <algorithm>
#include <cstring>

#include "files/FileAccessFaults.h"
#include "files/FolderAccess.h"

namespace file_access_detail {
namespace {
FileFaultsForTesting faults;
}

const FileFaultsForTesting& Faults() { return faults; }

size_t WritableNow(size_t done, size_t want)
{
    long long budget = faults.writeFailsAfterBytes;
    if (budget < 0) return want;
    if (static_cast<long long>(done) >= budget) return 0;
    unsigned long long left = static_cast<unsigned long long>(budget - static_cast<long long>(done));
    return static_cast<size_t>(std::min<unsigned long long>(left, want));
}

}  // namespace file_access_detail

void SetFileFaultsForTesting(const FileFaultsForTesting& faults) { file_access_detail::faults = faults; }

bool WriteWholeFile(const char* path, const char* data, long long length)
{
    if (data == nullptr) return false;
    size_t size = length < 0 ? std::strlen(data) : static_cast<size_t>(length);
    return ReplaceWholeFile(path, data, size).Ok();
}

std::uint32_t StampFingerprint(const char* head, std::size_t headLength, const char* tail, std::size_t tailLength)
{
    // FNV-1a: a change of any byte in either end changes the value.
    std::uint32_t hash = 2166136261u;
    auto mix = [&hash](const char* bytes, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) {
            hash ^= static_cast<unsigned char>(bytes[i]);
            hash *= 16777619u;
        }
    };
    mix(head, headLength);
    mix(tail, tailLength);
    return hash;
}
