// Clickable links of a line: mail addresses and URLs (see Links.h).
#include "textcontrol/model/Links.h"

#include <cstring>

#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

namespace {
bool IsAsciiAlnum(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
}

bool IsUrlByte(unsigned char b)
{
    if (b <= 0x20 || b >= 0x7F) return false;
    return std::strchr("\"<>`{}|\\^", b) == nullptr;
}

bool IsMailNameByte(unsigned char b) { return IsAsciiAlnum(b) || std::strchr("._%+-", b) != nullptr; }
bool IsMailHostByte(unsigned char b) { return IsAsciiAlnum(b) || b == '.' || b == '-'; }

// Case-insensitive ASCII prefix test.
bool StartsWith(const char* bytes, size_t length, size_t i, const char* scheme)
{
    size_t n = std::strlen(scheme);
    if (length - i < n) return false;
    for (size_t k = 0; k < n; ++k) {
        unsigned char c = static_cast<unsigned char>(bytes[i + k]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c != static_cast<unsigned char>(scheme[k])) return false;
    }
    return true;
}

// End of the URL whose scheme ends at `from`; trailing sentence marks are not part of it.
size_t UrlEnd(const char* bytes, size_t length, size_t from)
{
    size_t end = from;
    while (end < length && IsUrlByte(static_cast<unsigned char>(bytes[end]))) ++end;
    while (end > from && std::strchr(".,;:!?)'", bytes[end - 1]) != nullptr) --end;
    return end;
}
}  // namespace

void FindLinks(const char* bytes, size_t length, int kinds, std::vector<LinkRun>* runs)
{
    if (!runs || !bytes) return;
    size_t i = 0;
    size_t nameStart = 0;  // start of the run of mail-name bytes that ends at i
    bool previousAlnum = false;
    while (i < length) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        size_t unit = SjisUnitLength(bytes, length, i);
        if (unit == 1 && !previousAlnum && (b == 'h' || b == 'H' || b == 'f' || b == 'F')) {
            struct Scheme {
                const char* text;
                LinkKind kind;
            };
            static const Scheme schemes[] = {{"https://", kLinkHttps}, {"http:", kLinkHttp}, {"ftp://", kLinkFtp}};
            bool found = false;
            for (const Scheme& scheme : schemes) {
                if (!(kinds & scheme.kind) || !StartsWith(bytes, length, i, scheme.text)) continue;
                size_t from = i + std::strlen(scheme.text);
                size_t end = UrlEnd(bytes, length, from);
                if (end > from) {
                    runs->push_back({static_cast<int>(i), static_cast<int>(end - i), scheme.kind});
                    i = end;
                    nameStart = i;
                    previousAlnum = false;
                    found = true;
                }
                break;
            }
            if (found) continue;
        }
        if (unit == 1 && b == '@' && (kinds & kLinkMail)) {
            size_t start = nameStart;
            while (start < i && bytes[start] == '.') ++start;
            size_t end = i + 1;
            while (end < length && IsMailHostByte(static_cast<unsigned char>(bytes[end]))) ++end;
            while (end > i + 1 && (bytes[end - 1] == '.' || bytes[end - 1] == '-')) --end;
            const void* dot = end > i + 1 ? std::memchr(bytes + i + 1, '.', end - i - 1) : nullptr;
            bool hostOk = dot != nullptr && dot != bytes + i + 1 && static_cast<const char*>(dot) + 1 < bytes + end;
            if (start < i && hostOk) {
                runs->push_back({static_cast<int>(start), static_cast<int>(end - start), kLinkMail});
                i = end;
                nameStart = i;
                previousAlnum = false;
                continue;
            }
        }
        if (unit != 1 || !IsMailNameByte(b)) nameStart = i + unit;
        previousAlnum = unit == 1 && IsAsciiAlnum(b);
        i += unit;
    }
}

}  // namespace kvte::textcontrol
