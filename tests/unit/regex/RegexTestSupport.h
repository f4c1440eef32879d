// Small helpers shared by the regex tests: the Japanese texts of the tests are written in
// UTF-8 and turned into InternalText through a little table of their own (independent of
// the encoding library), and searches return readable "offset:hit" strings.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "regex/KRegExp.h"

namespace regextest {

inline std::map<char32_t, unsigned> const& SjisTable()
{
    static std::map<char32_t, unsigned> const table = [] {
        std::map<char32_t, unsigned> t;
        for (char32_t c = 0x3041; c <= 0x3093; ++c) t[c] = 0x829F + (c - 0x3041);  // hiragana
        for (char32_t c = 0x30A1; c <= 0x30F6; ++c) {                              // katakana
            unsigned code = 0x8340 + (c - 0x30A1);
            t[c] = code >= 0x837F ? code + 1 : code;
        }
        for (char32_t c = 0xFF10; c <= 0xFF19; ++c) t[c] = 0x824F + (c - 0xFF10);  // ０-９
        for (char32_t c = 0xFF21; c <= 0xFF3A; ++c) t[c] = 0x8260 + (c - 0xFF21);  // Ａ-Ｚ
        for (char32_t c = 0xFF41; c <= 0xFF5A; ++c) t[c] = 0x8281 + (c - 0xFF41);  // ａ-ｚ
        std::pair<char32_t, unsigned> const others[] = {
            {0x3000, 0x8140}, {0x3001, 0x8141}, {0x3002, 0x8142}, {0x30FC, 0x815B}, {0x300C, 0x8175}, {0x300D, 0x8176},
            {0x65E5, 0x93FA}, {0x672C, 0x967B}, {0x6F22, 0x8ABF}, {0x5B57, 0x8E9A}, {0x6771, 0x938C}, {0x4EAC, 0x8B9E},
            {0x5927, 0x91E5}, {0x962A, 0x8DE3}, {0x8A9E, 0x8CEA}, {0x4E9C, 0x889F}, {0x8155, 0x9872}, {0x57CE, 0x8FE9},
            {0x8868, 0x955C}, {0x80FD, 0x945C}, {0x3005, 0x8158},
        };
        for (auto const& [c, code] : others) t[c] = code;
        return t;
    }();
    return table;
}

// UTF-8 (ASCII and the characters of the table) to InternalText.
inline std::string S(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        char32_t c = b & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k) c = c << 6 | (utf8[i + k] & 0x3F);
        i += extra + 1;
        auto it = SjisTable().find(c);
        if (it == SjisTable().end()) {
            ADD_FAILURE() << "character U+" << std::hex << static_cast<unsigned>(c) << " missing from the test table";
            continue;
        }
        out.push_back(static_cast<char>(it->second >> 8));
        out.push_back(static_cast<char>(it->second & 0xFF));
    }
    return out;
}

// InternalText back to UTF-8 for messages; bytes without a table entry as <XX>.
inline std::string U(std::string_view sjis)
{
    static std::map<unsigned, char32_t> const reverse = [] {
        std::map<unsigned, char32_t> r;
        for (auto const& [c, code] : SjisTable()) r[code] = c;
        return r;
    }();
    std::string out;
    for (std::size_t i = 0; i < sjis.size();) {
        unsigned char b = static_cast<unsigned char>(sjis[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        unsigned code = i + 1 < sjis.size() ? (b << 8 | static_cast<unsigned char>(sjis[i + 1])) : 0;
        auto it = reverse.find(code);
        if (it == reverse.end()) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", b);
            out += hex;
            ++i;
            continue;
        }
        char32_t c = it->second;
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        i += 2;
    }
    return out;
}

// "offset:hit" of Find with pattern and text given in UTF-8, or "-1".
inline std::string FindResult(std::string_view pattern, std::string_view text, int position = 0, bool backward = false,
                              bool regular = true)
{
    CKRegExp regex;
    regex.Read(S(pattern).c_str(), regular);
    int offset = regex.Find(S(text).c_str(), position, backward);
    if (offset < 0) return "-1";
    return std::to_string(offset) + ":" + U(regex.GetHitText());
}

inline std::string Literal(std::string_view pattern, std::string_view text, int position = 0, bool backward = false)
{
    return FindResult(pattern, text, position, backward, false);
}

}  // namespace regextest
