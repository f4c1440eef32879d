// Fuzzes the eight conversions and those of Windows Shift-JIS, and the direct ones between InternalText and UTF-8 beside
// the two steps through UTF-16 that they replace. The first byte picks the conversion and the capacity
// shortfall; the rest is the source, used in place without a terminator for the range
// form (a read past it is a sanitizer error) and as a zero-terminated copy. Destinations
// are heap blocks of exactly the capacity, so a write past it is a sanitizer error too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "encoding/Conversion.h"

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

template <typename Out, typename In, typename Convert>
void Exercise(const In* source, std::size_t length, unsigned shortfall, Convert convert)
{
    const std::basic_string_view<In> range(source, length);
    const std::int64_t counted = convert(static_cast<Out*>(nullptr), range, 0);
    Check(counted >= 0);
    const std::size_t size = static_cast<std::size_t>(counted) + 1;
    std::unique_ptr<Out[]> exact(new Out[size]);
    Check(convert(exact.get(), range, counted + 1) == counted);
    Check(exact[size - 1] == 0);
    // Short by 1..4 units: -1, and nothing written past the capacity.
    const std::int64_t small = counted + 1 - static_cast<std::int64_t>(shortfall % 4 + 1);
    std::unique_ptr<Out[]> tight(new Out[small > 0 ? static_cast<std::size_t>(small) : 1]);
    Check(convert(tight.get(), range, small) == -1);

    // The zero-terminated form up to the first zero equals the range form of that prefix.
    std::size_t prefix = 0;
    while (prefix < length && source[prefix] != 0) ++prefix;
    std::unique_ptr<In[]> terminated(new In[prefix + 1]);
    std::memcpy(terminated.get(), source, prefix * sizeof(In));
    terminated[prefix] = 0;
    const std::int64_t countedPrefix =
        convert(static_cast<Out*>(nullptr), std::basic_string_view<In>(source, prefix), 0);
    Check(convert(static_cast<Out*>(nullptr), static_cast<const In*>(terminated.get()), 0) == countedPrefix);
    std::unique_ptr<Out[]> a(new Out[static_cast<std::size_t>(countedPrefix) + 1]);
    std::unique_ptr<Out[]> b(new Out[static_cast<std::size_t>(countedPrefix) + 1]);
    Check(convert(a.get(), static_cast<const In*>(terminated.get()), countedPrefix + 1) == countedPrefix);
    Check(convert(b.get(), std::basic_string_view<In>(source, prefix), countedPrefix + 1) == countedPrefix);
    Check(std::memcmp(a.get(), b.get(), static_cast<std::size_t>(countedPrefix + 1) * sizeof(Out)) == 0);
}

// UTF-16 to InternalText in place (the source buffer as destination) gives what a
// separate buffer gets, and both modes report the same count of replaced characters.
void Utf16InPlace(const char16_t* units, std::size_t length)
{
    const std::u16string_view range(units, length);
    std::int64_t replacedCounting = -1, replacedWriting = -1;
    const std::int64_t counted = Utf16ToInternal(nullptr, range, 0, &replacedCounting);
    std::unique_ptr<char[]> apart(new char[static_cast<std::size_t>(counted) + 1]);
    Check(Utf16ToInternal(apart.get(), range, counted + 1, &replacedWriting) == counted);
    Check(replacedCounting == replacedWriting && replacedWriting >= 0);
    std::unique_ptr<char16_t[]> buffer(new char16_t[length + 1]);
    std::memcpy(buffer.get(), units, length * sizeof(char16_t));
    buffer[length] = 0;
    char* bytes = reinterpret_cast<char*>(buffer.get());
    const std::int64_t inPlace =
        Utf16ToInternal(bytes, std::u16string_view(buffer.get(), length), static_cast<std::int64_t>((length + 1) * 2));
    Check(inPlace == counted && std::memcmp(bytes, apart.get(), static_cast<std::size_t>(counted)) == 0);
}

// UTF-8 straight to InternalText gives what UTF-8 -> UTF-16 -> InternalText gives, with the
// same count of replaced characters.
void Utf8Direct(const char* bytes, std::size_t length)
{
    const std::string_view range(bytes, length);
    std::int64_t dropped = 0, replaced = 0, direct = 0;
    const std::int64_t unitCount = Utf8ToUtf16(nullptr, range, 0);
    std::unique_ptr<char16_t[]> units(new char16_t[static_cast<std::size_t>(unitCount) + 1]);
    Check(Utf8ToUtf16(units.get(), range, unitCount + 1, &dropped) == unitCount);
    const std::u16string_view unitRange(units.get(), static_cast<std::size_t>(unitCount));
    const std::int64_t counted = Utf16ToInternal(nullptr, unitRange, 0);
    std::unique_ptr<char[]> twoSteps(new char[static_cast<std::size_t>(counted) + 1]);
    Check(Utf16ToInternal(twoSteps.get(), unitRange, counted + 1, &replaced) == counted);
    std::unique_ptr<char[]> oneStep(new char[static_cast<std::size_t>(counted) + 1]);
    Check(Utf8ToInternal(oneStep.get(), range, counted + 1, &direct) == counted);
    Check(std::memcmp(oneStep.get(), twoSteps.get(), static_cast<std::size_t>(counted)) == 0);
    Check(direct == replaced + dropped);
}

// InternalText written straight as UTF-8 gives what InternalText -> UTF-16 -> UTF-8 gives.
void InternalDirect(const char* bytes, std::size_t length, bool mark)
{
    const std::string_view range(bytes, length);
    const std::int64_t unitCount = InternalToUtf16(nullptr, range, false, 0);
    std::unique_ptr<char16_t[]> units(new char16_t[static_cast<std::size_t>(unitCount) + 1]);
    std::int64_t replaced = 0, direct = 0;
    Check(InternalToUtf16(units.get(), range, false, unitCount + 1, &replaced) == unitCount);
    const std::u16string_view unitRange(units.get(), static_cast<std::size_t>(unitCount));
    const std::int64_t counted = Utf16ToUtf8(nullptr, unitRange, mark, 0);
    std::unique_ptr<char[]> twoSteps(new char[static_cast<std::size_t>(counted) + 1]);
    Check(Utf16ToUtf8(twoSteps.get(), unitRange, mark, counted + 1) == counted);
    std::unique_ptr<char[]> oneStep(new char[static_cast<std::size_t>(counted) + 1]);
    Check(InternalToUtf8(oneStep.get(), range, mark, counted + 1, &direct) == counted);
    Check(std::memcmp(oneStep.get(), twoSteps.get(), static_cast<std::size_t>(counted)) == 0);
    Check(direct == replaced);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    const unsigned selector = data[0];
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const std::size_t length = size - 1;
    const bool mark = (selector & 0x80) != 0;
    const unsigned shortfall = selector >> 3;
    // UTF-16 sources: the bytes as units (copied so that they are aligned).
    std::unique_ptr<char16_t[]> units(new char16_t[length / 2 + 1]);
    std::memcpy(units.get(), bytes, length / 2 * 2);
    switch (selector & 7) {
    case 0:
        Exercise<char16_t>(bytes, length, shortfall,
                           [mark](char16_t* d, auto s, std::int64_t c) { return InternalToUtf16(d, s, mark, c); });
        Exercise<char>(bytes, length, shortfall,
                       [mark](char* d, auto s, std::int64_t c) { return InternalToUtf8(d, s, mark, c); });
        InternalDirect(bytes, length, mark);
        break;
    case 1:
        Exercise<char>(units.get(), length / 2, shortfall,
                       [](char* d, auto s, std::int64_t c) { return Utf16ToInternal(d, s, c); });
        Utf16InPlace(units.get(), length / 2);
        break;
    case 2:
        Exercise<char16_t>(bytes, length, shortfall,
                           [](char16_t* d, auto s, std::int64_t c) { return Utf8ToUtf16(d, s, c); });
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return Utf8ToInternal(d, s, c); });
        Utf8Direct(bytes, length);
        break;
    case 3:
        Exercise<char>(units.get(), length / 2, shortfall,
                       [mark](char* d, auto s, std::int64_t c) { return Utf16ToUtf8(d, s, mark, c); });
        break;
    case 4:
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return InternalToJis(d, s, c); });
        break;
    case 5:
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return JisToInternal(d, s, c); });
        break;
    case 6:
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return InternalToEuc(d, s, c); });
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return InternalToCp932(d, s, c); });
        break;
    default:
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return EucToInternal(d, s, c); });
        Exercise<char>(bytes, length, shortfall,
                       [](char* d, auto s, std::int64_t c) { return Cp932ToInternal(d, s, c); });
        break;
    }
    return 0;
}
