// Whether bytes are valid text in Shift_JIS, EUC-JP or UTF-8, as glibc's iconv reads them
// (its JIS X 0213 forms, the widest it has): an oracle written apart from the program's
// own reading of them. Native builds only.
#pragma once

#include <iconv.h>

#include <string>

#include "encoding/EncodingTypes.h"

inline bool IconvReadsAsText(EncodingCode code, const std::string& bytes)
{
    const char* name = code == EncodingCode::ShiftJis ? "SHIFT_JISX0213"
                       : code == EncodingCode::EucJp  ? "EUC-JISX0213"
                                                      : "UTF-8";
    iconv_t cd = iconv_open("UTF-32LE", name);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string in = bytes, out(bytes.size() * 8 + 16, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool ok = iconv(cd, &from, &left, &to, &room) != static_cast<std::size_t>(-1) && left == 0;
    iconv_close(cd);
    return ok;
}
