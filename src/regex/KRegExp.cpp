// CKRegExp: chooses the engine for a search (literal search, or the lazy DFA to find the
// match and the Pike VM to pin it down) and keeps the result of the last Find.
#include "regex/KRegExp.h"

#include <climits>
#include <cstring>

#include "regex/LiteralSearch.h"
#include "regex/RegexCaptures.h"
#include "regex/RegexDfa.h"
#include "regex/RegexPikeVm.h"
#include "regex/RegexProgram.h"
#include "regex/RegexSyntax.h"
#include "regex/SjisChar.h"

namespace {

constexpr std::size_t kUnbounded = static_cast<std::size_t>(-1);

// The most bytes a match can take, kUnbounded when a repetition has no limit.
std::size_t MaxMatchBytes(const RegexNode& node)
{
    switch (node.type) {
    case RegexNodeType::Empty:
    case RegexNodeType::Assert:
        return 0;
    case RegexNodeType::Chars:
        return !node.chars.ranges.empty() && node.chars.ranges.back().high > 0xFF ? 2 : 1;
    case RegexNodeType::Concat: {
        std::size_t total = 0;
        for (const auto& child : node.children) {
            std::size_t part = MaxMatchBytes(*child);
            if (part == kUnbounded) return kUnbounded;
            total += part;
        }
        return total;
    }
    case RegexNodeType::Alternate: {
        std::size_t most = 0;
        for (const auto& child : node.children) {
            std::size_t part = MaxMatchBytes(*child);
            if (part == kUnbounded) return kUnbounded;
            most = std::max(most, part);
        }
        return most;
    }
    case RegexNodeType::Capture:
        return MaxMatchBytes(*node.children[0]);
    case RegexNodeType::Repeat: {
        if (node.max < 0) return kUnbounded;
        std::size_t part = MaxMatchBytes(*node.children[0]);
        if (part == kUnbounded) return kUnbounded;
        return part * static_cast<std::size_t>(node.max);
    }
    }
    return kUnbounded;
}

// Whether some match can hold a CR or LF; when none can, a match ends at the next line break.
bool CanSpanLines(const RegexNode& node)
{
    if (node.type == RegexNodeType::Chars)
        return CharSetContains(node.chars, '\r') || CharSetContains(node.chars, '\n');
    for (const auto& child : node.children)
        if (CanSpanLines(*child)) return true;
    return false;
}

// The first CR or LF at or after position, or length.
std::size_t NextLineBreak(const char* text, std::size_t length, std::size_t position)
{
    for (std::size_t i = position; i < length; ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return length;
}

}  // namespace

struct CKRegExp::Compiled {
    bool regular = false;
    LiteralPattern literal;
    RegexProgram forward;
    RegexProgram backward;
    std::unique_ptr<LazyDfa> forwardDfa;
    std::unique_ptr<LazyDfa> backwardDfa;
    std::size_t maxMatchBytes = kUnbounded;
    bool spansLines = true;
    int groupCount = 0;
    RegexProgram captures;  // forward with group slots; empty when there are no groups

    // The leftmost match starting at or after the boundary from.
    bool SearchForward(const char* text, std::size_t length, std::size_t from, RegexMatch& match)
    {
        // The forward DFA gives the end of the leftmost match; its start is the smallest one
        // from which the reversed program reaches exactly that end.
        std::size_t end, scanFrom;
        if (!forwardDfa->FindEnd(text, length, from, end, scanFrom)) return false;
        std::size_t start = backwardDfa->FindLongestStart(text, length, end, scanFrom);
        if (start == LazyDfa::kNoStart) return PikeVmSearch(forward, text, length, scanFrom, match);  // never expected
        match = {start, end};
        return true;
    }

    // The match with the greatest start below before.
    bool SearchBackward(const char* text, std::size_t length, std::size_t before, RegexMatch& match)
    {
        // Matches starting below before end at most maxMatchBytes later, and at the next line
        // break when they cannot hold one; the backward scan starts there, not at the end.
        std::size_t from = length;
        if (maxMatchBytes != kUnbounded && before - 1 + maxMatchBytes < length)
            from = SjisBoundaryAtOrAfter(text, length, before - 1 + maxMatchBytes);
        if (!spansLines && before - 1 < from) from = NextLineBreak(text, from, before - 1);
        std::size_t start = backwardDfa->FindStartBefore(text, length, from, before);
        if (start == LazyDfa::kNoStart) return false;
        return SearchForward(text, length, start, match) && match.start == start;
    }
};

CKRegExp::CKRegExp() = default;
CKRegExp::~CKRegExp() = default;

void CKRegExp::Read(const char* pattern, bool regularExpression, bool ignoreCase)
{
    std::string_view text = pattern ? std::string_view(pattern) : std::string_view();
    if (haveRead && regularExpression == readRegular && ignoreCase == readIgnoreCase && text == readPattern) return;
    compiled.reset();
    error = REGEXP_OK;
    errorOffset = 0;
    haveRead = false;
    haveHit = false;
    if (text.empty()) return;  // an empty search finds nothing
    try {
        readPattern.assign(text.data(), text.size());
        readRegular = regularExpression;
        readIgnoreCase = ignoreCase;
        haveRead = true;
        auto result = std::make_unique<Compiled>();
        result->regular = true;
        if (!regularExpression && !ignoreCase) {
            result->regular = false;
            result->literal = MakeLiteralPattern(text);
            compiled = std::move(result);
            return;
        }
        // Literal text in either case runs as the regular expression of its characters;
        // without letters in it, that is literal again below.
        RegexParseResult parsed;
        if (regularExpression)
            parsed = ParseRegex(text, ignoreCase);
        else
            parsed.root = MakeLiteralNode(text, true);
        if (!parsed.root) {
            error = parsed.error;
            errorOffset = parsed.errorOffset;
            return;
        }
        if (!CompileRegex(*parsed.root, false, result->forward) ||
            !CompileRegex(*parsed.root, true, result->backward) ||
            (parsed.groupCount > 0 && !CompileRegex(*parsed.root, false, result->captures, true))) {
            error = REGEXP_TOO_LARGE;
            return;
        }
        result->groupCount = parsed.groupCount;
        if (result->forward.wholeLiteral) {
            // A pattern without any operator: the literal search does it faster, both ways.
            result->regular = false;
            result->literal = MakeLiteralPattern(result->forward.literalPrefix);
            compiled = std::move(result);
            return;
        }
        result->maxMatchBytes = MaxMatchBytes(*parsed.root);
        result->spansLines = CanSpanLines(*parsed.root);
        result->forwardDfa = std::make_unique<LazyDfa>(result->forward);
        result->backwardDfa = std::make_unique<LazyDfa>(result->backward);
        compiled = std::move(result);
    } catch (...) {
        // Only memory can run out here; the object is then without a pattern.
        compiled.reset();
        error = REGEXP_TOO_LARGE;
        haveRead = false;
    }
}

int CKRegExp::Find(const char* text, int position, bool backward)
{
    haveHit = false;
    if (!compiled || !text) return -1;
    // Positions outside the text are clamped, so a negative one is the start.
    std::size_t from = position < 0 ? 0 : static_cast<std::size_t>(position);
    if (backward && position <= 0) return -1;
    return Find(text, std::strlen(text), from, backward);
}

int CKRegExp::Find(const char* text, std::size_t length, std::size_t position, bool backward)
{
    haveHit = false;
    if (!compiled || !text) return -1;
    try {
        // Offsets are returned as int: the part of a text beyond INT_MAX is not searched.
        if (length > static_cast<std::size_t>(INT_MAX)) length = INT_MAX;
        RegexMatch match;
        bool found = false;
        if (!backward) {
            if (position > length) return -1;
            std::size_t from = SjisBoundaryAtOrAfter(text, length, position);
            if (!compiled->regular) {
                std::size_t hit = FindLiteralForward(compiled->literal, text, length, from);
                found = hit != kNotFound;
                match = {hit, hit + compiled->literal.bytes.size()};
            } else {
                found = compiled->SearchForward(text, length, from, match);
            }
        } else {
            if (position == 0) return -1;
            std::size_t before = std::min(position, length + 1);
            if (!compiled->regular) {
                std::size_t hit = FindLiteralBackward(compiled->literal, text, length, before);
                found = hit != kNotFound;
                match = {hit, hit + compiled->literal.bytes.size()};
            } else {
                found = compiled->SearchBackward(text, length, before, match);
            }
        }
        if (!found) return -1;
        hitText.assign(text + match.start, match.end - match.start);
        haveHit = true;
        hitStart = match.start;
        return static_cast<int>(match.start);
    } catch (...) {
        return -1;  // memory ran out while building DFA states: report nothing found
    }
}

const char* CKRegExp::GetHitText() const { return hitText.c_str(); }

bool CKRegExp::GetGroups(const char* text, std::size_t length, RegExpGroups& groups)
{
    for (int n = 0; n < RegExpGroups::kCount; ++n) groups.start[n] = groups.end[n] = RegExpGroups::kUnmatched;
    if (!haveHit || !compiled || !text) return false;
    std::size_t end = hitStart + hitText.size();
    if (length > static_cast<std::size_t>(INT_MAX)) length = INT_MAX;
    if (end > length || std::memcmp(text + hitStart, hitText.data(), hitText.size()) != 0) return false;
    groups.start[0] = hitStart;
    groups.end[0] = end;
    if (compiled->groupCount == 0) return true;
    try {
        CaptureSlots slots;
        if (!PikeVmCaptures(compiled->captures, text, length, hitStart, end, slots)) return true;  // never expected
        for (int n = 1; n < RegExpGroups::kCount; ++n) {
            std::size_t from = slots[2 * n], to = slots[2 * n + 1];
            if (from == kNoCapture || to == kNoCapture) continue;
            groups.start[n] = from;
            groups.end[n] = to;
        }
    } catch (...) {
        // Only memory can run out here: the match stands, its groups unmatched.
    }
    return true;
}

int CKRegExp::GetGroupCount() const { return compiled ? compiled->groupCount : 0; }

int CKRegExp::GetError() const { return error; }

int CKRegExp::GetErrorOffset() const { return errorOffset; }

const char* CKRegExp::DescribeError(int code)
{
    switch (code) {
    case REGEXP_OK:
        return "no error";
    case REGEXP_TRAILING_BACKSLASH:
        return "the pattern ends with a lone backslash";
    case REGEXP_BAD_ESCAPE:
        return "unknown escape sequence";
    case REGEXP_MISSING_BRACKET:
        return "missing ] after a character class";
    case REGEXP_BAD_CLASS_RANGE:
        return "invalid range in a character class";
    case REGEXP_MISSING_PAREN:
        return "missing ) after a group";
    case REGEXP_UNMATCHED_PAREN:
        return "unmatched )";
    case REGEXP_NOTHING_TO_REPEAT:
        return "quantifier without anything to repeat";
    case REGEXP_BAD_REPEAT_COUNT:
        return "invalid repetition count (at most 1000, minimum not above maximum)";
    case REGEXP_BAD_GROUP:
        return "unknown group form after (?";
    case REGEXP_TOO_LARGE:
        return "the pattern is too large or too deeply nested";
    default:
        return "unknown error";
    }
}
