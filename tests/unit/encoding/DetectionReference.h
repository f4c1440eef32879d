// A plain, position-by-position transcription of the detection rules, kept slow on
// purpose: the optimized DetectEncoding is compared against it.
#pragma once

#include <cstddef>
#include <utility>

#include "encoding/Detection.h"
#include "encoding/EncodingTypes.h"

// The scoring pass alone (length >= 2, byte-order marks not looked at).
inline DetectionEvidence ReferenceDetectionEvidence(const unsigned char* b, std::size_t length)
{
    DetectionEvidence e;
    auto at = [&](std::size_t k) -> unsigned { return k < length ? b[k] : 0u; };
    auto base64 = [](unsigned c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
    };
    int utf8Skip = 0;
    bool inBase64 = false, sjisSkip = false, eucSkip = false;
    for (std::size_t i = 0; i + 2 <= length; ++i) {
        const unsigned c = at(i), d = at(i + 1);
        const bool even = i % 2 == 0;
        if (even && c == 0 && d == 0) {
            e.zeroPair = true;
            return e;
        }
        if (c == 0) e.hasZero = true;
        if (even && (c == 0x0D || c == 0x0A) && d == 0) ++e.lineBreaksEven;
        if (!even && c >= 0xA0 && c <= 0xF7) e.oddHigh = true;
        if (e.hasZero) continue;
        if (e.utf7Ok && !inBase64)
            inBase64 = c == '+';
        else if (e.utf7Ok && c == '-')
            inBase64 = false;
        else if (e.utf7Ok && !base64(c))
            e.utf7Ok = false;
        if (c == 0x1B && d == '$' &&
            (at(i + 2) == '@' || at(i + 2) == 'B' || (at(i + 2) == '(' && (at(i + 3) == 'O' || at(i + 3) == 'P')))) {
            e.jis += 2;
            continue;
        }
        if (utf8Skip > 0) {
            --utf8Skip;
            continue;
        }
        if ((c & 0xC0) == 0xC0 && (d & 0xC0) == 0x80 && (at(i + 2) & 0xC0) == 0x80) {
            e.utf8 += 2;
            utf8Skip = 2;
            continue;
        }
        if (std::exchange(sjisSkip, false) || std::exchange(eucSkip, false)) continue;
        const bool trail = (d >= 0x40 && d <= 0x7E) || (d >= 0x80 && d <= 0xFC);
        if (c >= 0x80 && c <= 0x9F) {
            if (c == 0x8E && d >= 0xA1 && d <= 0xDF) e.euc += 2, eucSkip = true;
            if (trail) e.sjis += 2, sjisSkip = true;
        } else if (c >= 0xA0 && c <= 0xDF) {
            e.sjis += 1;
            if (d >= 0xA1 && d <= 0xFE) {
                e.euc += 2, eucSkip = true;
                if (d <= 0xDF) e.sjis += 1;
            }
        } else if (c >= 0xE0 && c <= 0xEF) {
            if (d >= 0xA1 && d <= 0xFE) e.euc += 2, eucSkip = true;
            if (trail) e.sjis += 2, sjisSkip = true;
        } else if (c >= 0xF0 && c <= 0xFE) {
            if (d >= 0xA1 && d <= 0xFE) e.euc += 2, eucSkip = true;
        }
    }
    return e;
}

inline EncodingCode ReferenceDetectEncoding(const unsigned char* b, std::size_t length)
{
    if (length < 2) return EncodingCode::Undetermined;
    if (b[0] == 0xFF && b[1] == 0xFE) return EncodingCode::Utf16LeBom;
    if (length >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return EncodingCode::Utf8Bom;
    const DetectionEvidence e = ReferenceDetectionEvidence(b, length);
    if (e.zeroPair) return EncodingCode::ZeroBytes;
    if (e.lineBreaksEven > 0 && !e.oddHigh) return EncodingCode::Utf16Le;
    if (e.hasZero) return EncodingCode::ZeroBytes;
    if (e.jis > 0) return EncodingCode::Jis;
    if (e.utf8 > e.sjis && e.utf8 > e.euc) return EncodingCode::Utf8;
    if (e.sjis > e.euc && e.sjis > e.utf8) return EncodingCode::ShiftJis;
    if (e.euc > e.sjis && e.euc > e.utf8) return EncodingCode::EucJp;
    if (e.sjis > 0 || e.euc > 0 || e.utf8 > 0) return EncodingCode::Undetermined;
    return e.utf7Ok ? EncodingCode::Utf7Clean : EncodingCode::NoEvidence;
}
