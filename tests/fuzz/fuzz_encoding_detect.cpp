// Fuzzes DetectEncoding on unpadded input (a read past the end is a sanitizer error)
// against the plain transcription of its rules, and the whole-file opening path after it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "../unit/encoding/DetectionReference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const EncodingCode code = DetectEncoding(bytes, size);
    if (code != ReferenceDetectEncoding(data, size)) std::abort();
    DecodedFile file;
    if (!DecodeFileBytes(std::string_view(bytes, size), true, file) || file.encoding != code) std::abort();
    // Whatever was read saves again in every encoding.
    std::string saved;
    for (int kanji = 0; kanji <= 5; ++kanji)
        if (!EncodeFileBytes(file.text, kanji, code, true, false, LineEndingCode::Crlf, saved)) std::abort();
    return 0;
}
