// Fuzzes replace all with an expanded replacement: no crash, no read outside the text or
// the replacement, and "$&" giving the text back unchanged when it has no CR.
// Input layout: the pattern, a 0 byte, the replacement, a 0 byte, then the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "regex/KRegExp.h"
#include "regex/Replacement.h"

namespace {

// Splits off the bytes before the next 0 byte (or all that is left).
std::string TakeField(char const*& bytes, std::size_t& rest)
{
    void const* zero = std::memchr(bytes, 0, rest);
    std::size_t const length = zero ? static_cast<std::size_t>(static_cast<char const*>(zero) - bytes) : rest;
    std::string field(bytes, length);
    std::size_t const taken = zero ? length + 1 : length;
    bytes += taken;
    rest -= taken;
    return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    if (size > 8192) return 0;
    auto const* bytes = reinterpret_cast<char const*>(data);
    std::size_t rest = size;
    std::string const pattern = TakeField(bytes, rest);
    std::string const replacement = TakeField(bytes, rest);
    std::unique_ptr<char[]> text(new char[rest ? rest : 1]);  // exactly the text: a read past it is caught
    std::memcpy(text.get(), bytes, rest);

    CKRegExp regex;
    regex.Read(pattern.c_str(), true);
    std::string replaced;
    std::size_t first = 0, end = 0;
    std::size_t count = ReplaceAllMatches(regex, text.get(), rest, replacement, true, "\r\n", replaced, first, end);
    if (count > 0 && (first > end || end > rest)) std::abort();

    // Each match replaced by itself leaves the text as it was (where no match can end
    // inside a CR LF, which takes the whole line break).
    if (std::memchr(text.get(), '\r', rest)) return 0;
    ReplaceAllMatches(regex, text.get(), rest, "$&", true, "\r\n", replaced, first, end);
    if (replaced != std::string(text.get() + first, end - first)) std::abort();
    return 0;
}
