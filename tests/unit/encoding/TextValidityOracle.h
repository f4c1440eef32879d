// Whether bytes are valid text in Shift_JIS, EUC-JP or UTF-8, as glibc's iconv reads them
// (its JIS X 0213 forms, the widest it has; in EUC-JP also the JIS X 0212 kanji that files
// hold after 0x8F, which the program reads too): an oracle written apart from the
// program's own reading of them. Native builds only.
#pragma once

#include <iconv.h>

#include <string>

#include "encoding/EncodingTypes.h"

// Whether iconv converts all of bytes from the encoding name.
inline bool IconvConverts(const char* name, std::string bytes)
{
    iconv_t cd = iconv_open("UTF-32LE", name);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string out(bytes.size() * 8 + 16, '\0');
    char* from = bytes.data();
    char* to = out.data();
    std::size_t left = bytes.size(), room = out.size();
    const bool ok = iconv(cd, &from, &left, &to, &room) != static_cast<std::size_t>(-1) && left == 0;
    iconv_close(cd);
    return ok;
}

inline bool IconvReadsAsText(EncodingCode code, const std::string& bytes)
{
    if (code == EncodingCode::ShiftJis) return IconvConverts("SHIFT_JISX0213", bytes);
    if (code == EncodingCode::Utf8) return IconvConverts("UTF-8", bytes);
    // EUC-JP: each three-byte form after 0x8F is read by either iconv, the rest by the
    // JIS X 0213 one.
    std::string rest;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == 0x8F && i + 3 <= bytes.size()) {
            const std::string form = bytes.substr(i, 3);
            if (!IconvConverts("EUC-JISX0213", form) && !IconvConverts("EUC-JP", form)) return false;
            i += 2;
        } else {
            rest += bytes[i];
            if (c >= 0xA1 && c <= 0xFE && i + 1 < bytes.size()) rest += bytes[++i];  // keep pairs whole
            else if (c == 0x8E && i + 1 < bytes.size()) rest += bytes[++i];
        }
    }
    return IconvConverts("EUC-JISX0213", rest);
}
