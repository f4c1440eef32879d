// What the back ends of FileAccess share: the faults injected by tests, and the size limit
// of a whole-file read.
#pragma once

#include "files/FileAccess.h"

namespace file_access_detail {

// A text of 1 GiB or more cannot be held in memory by a 32-bit program with room to spare.
constexpr unsigned long long kLargestFile = (1ull << 30) - 1;

const FileFaultsForTesting& Faults();

// How many of want bytes may be written once done bytes are written, under the injected
// write fault (want itself when there is none); 0 means the write must fail now.
size_t WritableNow(size_t done, size_t want);

}  // namespace file_access_detail
