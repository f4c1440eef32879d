// Fuzzes CKRegExp with a pattern and a text: no crash, no read outside the text, and on
// small inputs the same answer as the backtracking reference matcher.
// Input layout: byte 0 flags (bit 0 regular expression, bit 1 backward, bits 2-7 the
// start position), then the pattern up to the first 0 byte, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "../unit/regex/ReferenceMatcher.h"
#include "regex/KRegExp.h"
#include "regex/RegexSyntax.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size < 2 || size > 8192) return 0;
    bool const regular = data[0] & 1;
    bool const backward = data[0] & 2;
    int const position = data[0] >> 2;
    auto const* bytes = reinterpret_cast<char const*>(data + 1);
    std::size_t const rest = size - 1;
    void const* zero = std::memchr(bytes, 0, rest);
    std::size_t const patternLength = zero ? static_cast<std::size_t>(static_cast<char const*>(zero) - bytes) : rest;
    std::string const pattern(bytes, patternLength);
    std::size_t const textStart = zero ? patternLength + 1 : rest;
    std::string text(bytes + textStart, rest - textStart);
    text = text.c_str();  // Find reads up to the first 0 byte; so does the reference

    // The text in a block of exactly its size, so that a read past it is caught.
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::memcpy(exact.get(), text.c_str(), text.size() + 1);

    CKRegExp regex;
    regex.Read(pattern.c_str(), regular);
    int const offset = regex.Find(exact.get(), position, backward);
    std::size_t const hitLength = offset >= 0 ? std::strlen(regex.GetHitText()) : 0;
    if (offset >= 0 && (static_cast<std::size_t>(offset) + hitLength > text.size() ||
                        std::memcmp(exact.get() + offset, regex.GetHitText(), hitLength) != 0))
        std::abort();

    if (pattern.empty() || pattern.size() > 24 || text.size() > 48) return 0;
    RegexParseResult parsed = regular ? ParseRegex(pattern) : RegexParseResult{MakeLiteralNode(pattern), 0, 0};
    if (!parsed.root) {
        if (regex.GetError() == REGEXP_OK || offset != -1) std::abort();
        return 0;
    }
    if (regex.GetError() != REGEXP_OK) {
        if (regex.GetError() != REGEXP_TOO_LARGE) std::abort();
        return 0;
    }
    reference::Matcher matcher(*parsed.root, text, 200000);
    std::optional<reference::Match> expected = backward ? matcher.Backward(static_cast<std::size_t>(position))
                                                        : matcher.Forward(static_cast<std::size_t>(position));
    if (matcher.Aborted()) return 0;
    bool const same =
        expected ? (offset == static_cast<int>(expected->start) && hitLength == expected->end - expected->start)
                 : offset == -1;
    if (!same) std::abort();
    return 0;
}
