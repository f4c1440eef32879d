// What the back ends of FileAccess share: the faults injected by tests, and the size limit
// of a whole-file read.
#pragma once

#include "files/FileAccess.h"

namespace file_access_detail {

// The largest file a whole-file read takes. The 32-bit program holds a text of up to 1 GiB
// beside its line index and the copy that saving makes, in the 4 GB that a large-address-
// aware program has under a 64-bit Windows; elsewhere any file whose size fits in 32 bits.
// Larger files are refused before anything is read.
constexpr unsigned long long kLargestFile = sizeof(void*) == 4 ? (1ull << 30) - 1 : (1ull << 32) - 1;

const FileFaultsForTesting& Faults();

// How many of want bytes may be written once done bytes are written, under the injected
// write fault (want itself when there is none); 0 means the write must fail now.
size_t WritableNow(size_t done, size_t want);

}  // namespace file_access_detail
