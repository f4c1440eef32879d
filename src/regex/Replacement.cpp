// Expansion of the replacement text, one character at a time.
#include "regex/Replacement.h"

#include "regex/MatchPass.h"
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
        // Past the end, next is 0, which no sequence takes.
        const char next = i + 1 < length ? r[i + 1] : '\0';
        if (c == '\\' && next >= '0' && next <= '9') {
            AppendGroup(text, groups, next - '0', out);
        } else if (c == '$' && next >= '1' && next <= '9') {
            AppendGroup(text, groups, next - '0', out);
        } else if (c == '$' && next == '&') {
            AppendGroup(text, groups, 0, out);
        } else if (c == '\\' && next == 'n') {
            out.append(lineBreak.data(), lineBreak.size());
        } else if (c == '\\' && next == 't') {
            out.push_back('\t');
        } else if ((c == '\\' || c == '$') && next == c) {
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

std::size_t ReplaceAllMatches(CKRegExp& regex, const char* text, std::size_t length, std::string_view replacement,
                              bool expand, std::string_view lineBreak, std::string& replaced, std::size_t& first,
                              std::size_t& end)
{
    std::string expanded;
    RegExpGroups groups;
    std::size_t count = 0;
    first = end = 0;
    replaced.clear();
    VisitAllMatches(regex, text, length, [&](std::size_t start, std::size_t hit) {
        MatchRange match = WholeLineBreaks(text, length, {start, start + hit});
        if (count == 0) first = end = match.start;
        replaced.append(text + end, match.start - end);
        std::string_view piece = replacement;
        if (expand) {
            expanded.clear();
            regex.GetGroups(text, length, groups);
            AppendReplacement(replacement, text, groups, lineBreak, expanded);
            piece = expanded;
        }
        // A replacement ending in CR before one starting with LF: two line breaks, as two
        // separate insertions would have made, not one CR LF.
        if (!replaced.empty() && replaced.back() == '\r' && !piece.empty() && piece.front() == '\n')
            replaced.push_back('\n');
        replaced.append(piece.data(), piece.size());
        end = match.end;
        ++count;
        return true;
    });
    return count;
}
