// Whether bytes are valid Shift_JIS, EUC-JP or UTF-8 text to glibc's iconv (JIS X 0213 forms), apart
// from the program's own reading; its tables lack a few codes, so it may say valid too seldom.
#pragma once

#include <iconv.h>
#include <string>

#include "encoding/EncodingTypes.h"

inline bool IconvReadsAsText(EncodingCode code, std::string bytes)
{
    const char* const names[] = {"SHIFT_JISX0213", "EUC-JISX0213", "UTF-8"};
    iconv_t cd = iconv_open("UTF-32LE", names[code == EncodingCode::ShiftJis ? 0
                                              : code == EncodingCode::EucJp  ? 1
                                                                             : 2]);
    std::string out(bytes.size() * 8 + 16, '\0');
    char *from = bytes.data(), *to = out.data();
    std::size_t left = bytes.size(), room = out.size();
    const bool ok = iconv(cd, &from, &left, &to, &room) != static_cast<std::size_t>(-1) && left == 0;
    iconv_close(cd);
    return ok;
}
