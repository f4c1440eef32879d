// Fuzzes the tool information reader: any bytes as the file, with a path made from the
// first bytes. An accepted entry must keep its texts within the limits, its path must
// start with the file's folder and its type must be a kind; a refused one leaves the
// entry untouched.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/ToolInfoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::size_t pathLength = size > 0 ? data[0] % 64 : 0;
    if (pathLength + 1 > size) pathLength = 0;
    const std::string path(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), pathLength);
    const std::string_view text(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0) + pathLength,
                                size - (size > 0 ? 1 : 0) - pathLength);

    ToolEntry entry{"untouched", "untouched", 42};
    ToolInfoError error = ParseToolInfo(text, path, entry);
    if (error != ToolInfoError::None) {
        if (entry.name != "untouched" || entry.type != 42) std::abort();
        return 0;
    }
    const std::string_view folder = FolderOf(path);
    if (entry.name.size() > kToolTextLimit || entry.path.size() > kToolTextLimit) std::abort();
    if (entry.path.compare(0, folder.size(), folder) != 0 || entry.path.size() == folder.size()) std::abort();
    if (!IsKnownToolType(entry.type)) std::abort();
    return 0;
}
