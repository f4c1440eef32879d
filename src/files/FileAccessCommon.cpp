// The parts of FileAccess that do not depend on the platform.
#include "files/FileAccess.h"

#include <cstring>

#include "files/FileAccessFaults.h"

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
    return left < want ? static_cast<size_t>(left) : want;
}

}  // namespace file_access_detail

void SetFileFaultsForTesting(const FileFaultsForTesting& faults) { file_access_detail::faults = faults; }

bool WriteWholeFile(const char* path, const char* data, long long length)
{
    if (data == nullptr) return false;
    size_t size = length < 0 ? std::strlen(data) : static_cast<size_t>(length);
    return ReplaceWholeFile(path, data, size).Ok();
}
