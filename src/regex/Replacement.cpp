// Expansion of the replacement text, one character at a time.
#include "regex/Replacement.h"

#include "regex/SjisChar.h"

namespace {

void AppendGroup(const char* text, const RegExpGroups& groups, int n, std::string& out)
{
    if (groups.Matched(n) && groups.end[n] >= groups.start[n])
        out.append(text + groups.start[n], groups.end[n] - groups.start[n]);
}

}  // namespace

void AppendReplacement(std::string_view replacement, const char* text, const RegExpGroups& groups,
                       std::string_view lineBreak, std::string& out)
{
    const char* r = replacement.data();
    const std::size_t length = replacement.size();
    std::size_t i = 0;
    while (i < length) {
        const char c = r[i];
        const char next = i + 1 < length ? r[i + 1] : '\0';
        const bool hasNext = i + 1 < length;
        if (c == '\\' && hasNext && next >= '0' && next <= '9') {
            AppendGroup(text, groups, next - '0', out);
        } else if (c == '$' && hasNext && next >= '1' && next <= '9') {
            AppendGroup(text, groups, next - '0', out);
        } else if (c == '$' && next == '&' && hasNext) {
            AppendGroup(text, groups, 0, out);
        } else if (c == '\\' && next == 'n' && hasNext) {
            out.append(lineBreak.data(), lineBreak.size());
        } else if (c == '\\' && next == 't' && hasNext) {
            out.push_back('\t');
        } else if ((c == '\\' || c == '$') && next == c && hasNext) {
            out.push_back(c);
        } else {
            std::size_t charLength = SjisCharLength(r, length, i);
            out.append(r + i, charLength);
            i += charLength;
            continue;
        }
        i += 2;
    }
}
