// Generated Japanese corpora for the encoding benchmarks: prose-like text and mostly-ASCII
// source code, as InternalText, reproducible from a fixed seed.
#pragma once

#include <cstdint>
#include <string>

namespace bench_corpus {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ >> 11);
    }
    unsigned Below(unsigned n) { return Next() % n; }

private:
    std::uint64_t state_;
};

inline void PutPair(std::string& text, unsigned code)
{
    text.push_back(static_cast<char>(code >> 8));
    text.push_back(static_cast<char>(code & 0xFF));
}

inline unsigned Trail(Random& r)
{
    unsigned t = 0x40 + r.Below(0xFC - 0x40);
    return t >= 0x7F ? t + 1 : t;
}

// One Japanese character in the proportions of ordinary prose.
inline void PutJapanese(std::string& text, Random& r)
{
    const unsigned kind = r.Below(100);
    if (kind < 50) {
        PutPair(text, 0x829F + r.Below(0x82F1 - 0x829F + 1));  // hiragana
    } else if (kind < 78) {
        PutPair(text, (0x89 + r.Below(0x97 - 0x89 + 1)) << 8 | Trail(r));  // JIS level 1 kanji
    } else if (kind < 90) {
        unsigned code = 0x8340 + r.Below(0x8393 - 0x8340 + 1);  // katakana
        PutPair(text, code == 0x837F ? 0x8380 : code);
    } else if (kind < 97) {
        static const unsigned marks[] = {0x8141, 0x8142, 0x8175, 0x8176, 0x815B};
        PutPair(text, marks[r.Below(5)]);
    } else if (kind < 99) {
        text.push_back(static_cast<char>('0' + r.Below(10)));
    } else {
        text.push_back(static_cast<char>(0xA6 + r.Below(0xDD - 0xA6)));  // half-width katakana
    }
}

inline std::string Prose(std::size_t size, std::uint64_t seed = 1)
{
    Random r(seed);
    std::string text;
    text.reserve(size + 256);
    while (text.size() < size) {
        const unsigned line = 20 + r.Below(60);
        for (unsigned i = 0; i < line; ++i) PutJapanese(text, r);
        text += "\r\n";
    }
    return text;
}

inline std::string SourceCode(std::size_t size, std::uint64_t seed = 2)
{
    static const char* const lines[] = {
        "    for (std::size_t index = 0; index < values.size(); ++index) {",
        "        total += values[index] * weight;",
        "    }",
        "    if (result == nullptr) return false;",
        "static int ComputeChecksum(const unsigned char* data, int length)",
        "{",
        "}",
        "    const std::string name = prefix + \"_\" + std::to_string(counter);",
        "#include <vector>",
        "    return std::max(left, right) - offset;",
        "",
    };
    Random r(seed);
    std::string text;
    text.reserve(size + 256);
    while (text.size() < size) {
        text += lines[r.Below(sizeof lines / sizeof lines[0])];
        if (r.Below(10) == 0) {  // a Japanese comment on one line in ten
            text += "  // ";
            for (unsigned i = 0, n = 5 + r.Below(15); i < n; ++i) PutJapanese(text, r);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace bench_corpus
