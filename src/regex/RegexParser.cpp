// Recursive-descent parser from pattern text (InternalText) to RegexNode trees.
#include <cstdint>

#include "regex/KRegExp.h"
#include "regex/RegexSyntax.h"
#include "regex/SjisChar.h"

namespace {

std::unique_ptr<RegexNode> MakeNode(RegexNodeType type)
{
    auto node = std::make_unique<RegexNode>();
    node->type = type;
    return node;
}

std::unique_ptr<RegexNode> MakeCharsNode(CharSet set, bool ignoreCase)
{
    auto node = MakeNode(RegexNodeType::Chars);
    CharSetNormalize(set);
    if (ignoreCase) CharSetFoldCase(set);
    node->chars = std::move(set);
    return node;
}

std::unique_ptr<RegexNode> MakeAssertNode(RegexAssertion assertion)
{
    auto node = MakeNode(RegexNodeType::Assert);
    node->assertion = assertion;
    return node;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsAsciiAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

class Parser {
public:
    explicit Parser(std::string_view pattern) : text(pattern) {}

    RegexParseResult Run(bool ignoreCase)
    {
        RegexParseResult result;
        auto root = ParseAlternation(0, ignoreCase);
        if (root && pos < text.size()) Fail(REGEXP_UNMATCHED_PAREN, pos);  // only ")" stops it early
        if (error != REGEXP_OK) {
            result.error = error;
            result.errorOffset = static_cast<int>(errorOffset);
            return result;
        }
        result.root = std::move(root);
        result.groupCount = groupCount;
        return result;
    }

private:
    std::string_view text;
    std::size_t pos = 0;
    int error = REGEXP_OK;
    std::size_t errorOffset = 0;
    int groupCount = 0;

    std::nullptr_t Fail(int code, std::size_t offset)
    {
        if (error == REGEXP_OK) {
            error = code;
            errorOffset = offset;
        }
        return nullptr;
    }

    bool AtEnd() const { return pos >= text.size(); }
    unsigned char Peek(std::size_t ahead = 0) const
    {
        return pos + ahead < text.size() ? static_cast<unsigned char>(text[pos + ahead]) : 0;
    }

    // The code of the character at pos, which is consumed.
    std::uint32_t TakeChar()
    {
        std::size_t length = SjisCharLength(text.data(), text.size(), pos);
        std::uint32_t code = static_cast<unsigned char>(text[pos]);
        if (length == 2) code = code << 8 | static_cast<unsigned char>(text[pos + 1]);
        pos += length;
        return code;
    }

    // ignoreCase is the (?i) state of the enclosing group; (?i) inside a branch changes it
    // for the rest of the group, later branches included.
    std::unique_ptr<RegexNode> ParseAlternation(int depth, bool& ignoreCase)
    {
        if (depth > kMaxNestingDepth) return Fail(REGEXP_TOO_LARGE, pos);
        auto first = ParseConcat(depth, ignoreCase);
        if (!first) return nullptr;
        if (AtEnd() || Peek() != '|') return first;
        auto node = MakeNode(RegexNodeType::Alternate);
        node->children.push_back(std::move(first));
        while (!AtEnd() && Peek() == '|') {
            ++pos;
            auto branch = ParseConcat(depth, ignoreCase);
            if (!branch) return nullptr;
            node->children.push_back(std::move(branch));
        }
        return node;
    }

    std::unique_ptr<RegexNode> ParseConcat(int depth, bool& ignoreCase)
    {
        auto node = MakeNode(RegexNodeType::Concat);
        while (!AtEnd() && Peek() != '|' && Peek() != ')') {
            if (Peek() == '(' && Peek(1) == '?' && TryFlagsOnly(ignoreCase)) continue;
            if (error != REGEXP_OK) return nullptr;
            auto atom = ParseAtom(depth, ignoreCase);
            if (!atom) return nullptr;
            atom = ParseQuantifier(std::move(atom));
            if (!atom) return nullptr;
            node->children.push_back(std::move(atom));
        }
        if (node->children.size() == 1) return std::move(node->children[0]);
        if (node->children.empty()) return MakeNode(RegexNodeType::Empty);
        return node;
    }

    // "(?i)" or "(?-i)": changes the flags and produces nothing. Returns false (pos kept) for
    // every other group form; a malformed "(?" sets the error.
    bool TryFlagsOnly(bool& ignoreCase)
    {
        std::size_t start = pos;
        bool negate = Peek(2) == '-';
        std::size_t letter = negate ? 3 : 2;
        if (Peek(letter) == 'i' && Peek(letter + 1) == ')') {
            ignoreCase = !negate;
            pos += letter + 2;
            return true;
        }
        if (Peek(2) == ':' || (Peek(letter) == 'i' && Peek(letter + 1) == ':')) return false;
        Fail(REGEXP_BAD_GROUP, start);
        return false;
    }

    bool LooksLikeCount() const
    {
        // "{n}", "{n,}", "{n,m}"; anything else after "{" is a literal brace.
        std::size_t i = pos + 1;
        auto digits = [&] {
            std::size_t begin = i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
            return i > begin;
        };
        if (!digits()) return false;
        if (i < text.size() && text[i] == ',') {
            ++i;
            digits();
        }
        return i < text.size() && text[i] == '}';
    }

    bool AtQuantifier() const
    {
        unsigned char c = Peek();
        return !AtEnd() && (c == '*' || c == '+' || c == '?' || (c == '{' && LooksLikeCount()));
    }

    int ReadNumber()
    {
        long value = 0;
        while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
            if (value <= kMaxRepeatCount) value = value * 10 + (Peek() - '0');
            ++pos;
        }
        return static_cast<int>(value);
    }

    std::unique_ptr<RegexNode> ParseQuantifier(std::unique_ptr<RegexNode> atom)
    {
        if (!AtQuantifier()) return atom;
        std::size_t quantStart = pos;
        int min = 0, max = -1;
        unsigned char c = Peek();
        if (c == '*') {
            ++pos;
        } else if (c == '+') {
            min = 1;
            ++pos;
        } else if (c == '?') {
            max = 1;
            ++pos;
        } else {
            ++pos;  // "{"
            min = ReadNumber();
            max = min;
            if (Peek() == ',') {
                ++pos;
                max = (Peek() == '}') ? -1 : ReadNumber();
            }
            ++pos;  // "}"
            if (min > kMaxRepeatCount || max > kMaxRepeatCount || (max >= 0 && min > max))
                return Fail(REGEXP_BAD_REPEAT_COUNT, quantStart);
        }
        bool greedy = true;
        if (!AtEnd() && Peek() == '?') {
            greedy = false;
            ++pos;
        }
        if (AtQuantifier()) return Fail(REGEXP_NOTHING_TO_REPEAT, pos);
        auto node = MakeNode(RegexNodeType::Repeat);
        node->min = min;
        node->max = max;
        node->greedy = greedy;
        node->children.push_back(std::move(atom));
        return node;
    }

    std::unique_ptr<RegexNode> ParseAtom(int depth, bool ignoreCase)
    {
        std::size_t start = pos;
        unsigned char c = Peek();
        switch (c) {
        case '(': {
            ++pos;
            bool inner = ignoreCase;
            int group = 0;  // groups are numbered by their "(" in the pattern, outer first
            if (Peek() != '?') group = ++groupCount;
            if (Peek() == '?') {
                // "(?:", "(?i:", "(?-i:"; the flags-only forms were taken by TryFlagsOnly.
                if (Peek(1) == ':') {
                    pos += 2;
                } else if (Peek(1) == 'i' && Peek(2) == ':') {
                    inner = true;
                    pos += 3;
                } else if (Peek(1) == '-' && Peek(2) == 'i' && Peek(3) == ':') {
                    inner = false;
                    pos += 4;
                } else {
                    return Fail(REGEXP_BAD_GROUP, start);
                }
            }
            auto body = ParseAlternation(depth + 1, inner);
            if (!body) return nullptr;
            if (AtEnd() || Peek() != ')') return Fail(REGEXP_MISSING_PAREN, start);
            ++pos;
            if (group == 0) return body;
            auto capture = MakeNode(RegexNodeType::Capture);
            capture->group = group;
            capture->children.push_back(std::move(body));
            return capture;
        }
        case '[':
            return ParseClass(ignoreCase);
        case '.':
            ++pos;
            return MakeCharsNode(DotCharSet(), false);
        case '^':
            ++pos;
            return MakeAssertNode(RegexAssertion::BeginLine);
        case '$':
            ++pos;
            return MakeAssertNode(RegexAssertion::EndLine);
        case '*':
        case '+':
        case '?':
            return Fail(REGEXP_NOTHING_TO_REPEAT, start);
        case '{':
            if (LooksLikeCount()) return Fail(REGEXP_NOTHING_TO_REPEAT, start);
            ++pos;
            return MakeCharsNode(SingleCode('{'), ignoreCase);
        case '\\':
            return ParseEscape(ignoreCase);
        default: {
            std::uint32_t code = TakeChar();
            return MakeCharsNode(SingleCode(code), ignoreCase);
        }
        }
    }

    static CharSet SingleCode(std::uint32_t code)
    {
        CharSet set;
        CharSetAdd(set, code, code);
        return set;
    }

    // An escape read at pos (on the "\"): one character, a class (\d \w \s and their
    // complements), an assertion (outside classes), or Bad with the error set.
    enum class EscapeKind { Char, Class, Assertion, Bad };
    struct Escape {
        EscapeKind kind = EscapeKind::Bad;
        std::uint32_t code = 0;
        CharSet set;
        RegexAssertion assertion = RegexAssertion::BeginLine;
    };

    Escape ReadEscape(bool inClass)
    {
        Escape result;
        std::size_t start = pos;
        ++pos;  // "\"
        if (AtEnd()) {
            Fail(REGEXP_TRAILING_BACKSLASH, start);
            return result;
        }
        unsigned char c = Peek();
        auto charEscape = [&](std::uint32_t code) {
            ++pos;
            result.kind = EscapeKind::Char;
            result.code = code;
            return result;
        };
        auto classEscape = [&](CharSet set, bool negate) {
            ++pos;
            if (negate) CharSetNegate(set);
            result.kind = EscapeKind::Class;
            result.set = std::move(set);
            return result;
        };
        auto assertEscape = [&](RegexAssertion assertion) {
            if (inClass) {
                Fail(REGEXP_BAD_ESCAPE, start);
                return result;
            }
            ++pos;
            result.kind = EscapeKind::Assertion;
            result.assertion = assertion;
            return result;
        };
        switch (c) {
        case 't':
            return charEscape('\t');
        case 'n':
            return charEscape('\n');
        case 'r':
            return charEscape('\r');
        case 'f':
            return charEscape('\f');
        case 'v':
            return charEscape('\v');
        case 'e':
            return charEscape(0x1B);
        case 'd':
            return classEscape(DigitCharSet(), false);
        case 'D':
            return classEscape(DigitCharSet(), true);
        case 'w':
            return classEscape(WordCharSet(), false);
        case 'W':
            return classEscape(WordCharSet(), true);
        case 's':
            return classEscape(SpaceCharSet(), false);
        case 'S':
            return classEscape(SpaceCharSet(), true);
        case 'b':
            if (inClass) return charEscape(0x08);
            return assertEscape(RegexAssertion::WordBoundary);
        case 'B':
            return assertEscape(RegexAssertion::NotWordBoundary);
        case 'A':
            return assertEscape(RegexAssertion::BeginText);
        case 'z':
            return assertEscape(RegexAssertion::EndText);
        case 'x': {
            int high = HexValue(static_cast<char>(Peek(1)));
            int low = HexValue(static_cast<char>(Peek(2)));
            if (high < 0 || low < 0) {
                Fail(REGEXP_BAD_ESCAPE, start);
                return result;
            }
            pos += 2;
            return charEscape(static_cast<std::uint32_t>(high * 16 + low));
        }
        default:
            break;
        }
        if (IsAsciiAlnum(c)) {
            Fail(REGEXP_BAD_ESCAPE, start);
            return result;
        }
        // Punctuation, a control byte or any non-ASCII character: the character itself.
        result.kind = EscapeKind::Char;
        result.code = TakeChar();
        return result;
    }

    std::unique_ptr<RegexNode> ParseEscape(bool ignoreCase)
    {
        Escape escape = ReadEscape(false);
        switch (escape.kind) {
        case EscapeKind::Char:
            return MakeCharsNode(SingleCode(escape.code), ignoreCase);
        case EscapeKind::Class:
            return MakeCharsNode(std::move(escape.set), false);
        case EscapeKind::Assertion:
            return MakeAssertNode(escape.assertion);
        case EscapeKind::Bad:
            break;
        }
        return nullptr;
    }

    std::unique_ptr<RegexNode> ParseClass(bool ignoreCase)
    {
        std::size_t start = pos;
        ++pos;  // "["
        bool negate = false;
        if (Peek() == '^' && !AtEnd()) {
            negate = true;
            ++pos;
        }
        CharSet set;
        bool first = true;
        for (;;) {
            if (AtEnd()) return Fail(REGEXP_MISSING_BRACKET, start);
            if (Peek() == ']' && !first) {
                ++pos;
                break;
            }
            first = false;
            std::size_t itemStart = pos;
            std::uint32_t low;
            if (Peek() == '\\') {
                Escape escape = ReadEscape(true);
                if (escape.kind == EscapeKind::Bad) return nullptr;
                if (escape.kind == EscapeKind::Class) {
                    if (Peek() == '-' && pos + 1 < text.size() && text[pos + 1] != ']')
                        return Fail(REGEXP_BAD_CLASS_RANGE, itemStart);
                    CharSetAddSet(set, escape.set);
                    continue;
                }
                low = escape.code;
            } else {
                low = TakeChar();
            }
            std::uint32_t high = low;
            if (!AtEnd() && Peek() == '-' && pos + 1 < text.size() && text[pos + 1] != ']') {
                ++pos;  // "-"
                if (Peek() == '\\') {
                    Escape escape = ReadEscape(true);
                    if (escape.kind == EscapeKind::Bad) return nullptr;
                    if (escape.kind != EscapeKind::Char) return Fail(REGEXP_BAD_CLASS_RANGE, itemStart);
                    high = escape.code;
                } else {
                    high = TakeChar();
                }
                if (high < low) return Fail(REGEXP_BAD_CLASS_RANGE, itemStart);
            }
            CharSetAdd(set, low, high);
        }
        CharSetNormalize(set);
        if (ignoreCase) CharSetFoldCase(set);
        if (negate) CharSetNegate(set);
        return MakeCharsNode(std::move(set), false);
    }
};

}  // namespace

RegexParseResult ParseRegex(std::string_view pattern, bool ignoreCase) { return Parser(pattern).Run(ignoreCase); }

std::unique_ptr<RegexNode> MakeLiteralNode(std::string_view text, bool ignoreCase)
{
    auto node = MakeNode(RegexNodeType::Concat);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = SjisCharLength(text.data(), text.size(), pos);
        std::uint32_t code = static_cast<unsigned char>(text[pos]);
        if (length == 2) code = code << 8 | static_cast<unsigned char>(text[pos + 1]);
        CharSet set;
        CharSetAdd(set, code, code);
        if (ignoreCase) CharSetFoldCase(set);
        auto chars = MakeNode(RegexNodeType::Chars);
        chars->chars = std::move(set);
        node->children.push_back(std::move(chars));
        pos += length;
    }
    return node;
}
