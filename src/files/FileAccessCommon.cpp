// The parts of FileAccess that do not depend on the platform.
#include "files/FileAccess.h"

#include <cstring>

namespace file_access_detail {
long long writeFaultAfter = -1;
}

void SetWriteFaultForTesting(long long failAfterBytes) { file_access_detail::writeFaultAfter = failAfterBytes; }

bool WriteWholeFile(const char* path, const char* data, long long length)
{
    if (data == nullptr) return false;
    size_t size = length < 0 ? std::strlen(data) : static_cast<size_t>(length);
    return ReplaceWholeFile(path, data, size);
}
