// Occurrences of the highlight text in a line (see Highlight.h).
#include "textcontrol/model/Highlight.h"

#include <cstring>

#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

void FindHighlights(const char* bytes, size_t length, std::string_view needle, std::vector<HighlightRun>* runs)
{
    if (!runs || !bytes || needle.empty() || needle.size() > length) return;
    if (needle.find('\n') != std::string_view::npos || needle.find('\r') != std::string_view::npos) return;
    size_t i = 0;
    while (i + needle.size() <= length) {
        if (std::memcmp(bytes + i, needle.data(), needle.size()) == 0) {
            size_t end = i + needle.size();
            size_t at = i;
            while (at < end) at += SjisUnitLength(bytes, length, at);
            if (at == end) {  // the match does not take half of the next character
                runs->push_back({static_cast<int>(i), static_cast<int>(needle.size())});
                i = end;
                continue;
            }
        }
        i += SjisUnitLength(bytes, length, i);
    }
}

}  // namespace kvte::textcontrol
