// Fuzzes DetectEncoding on unpadded input (a read past the end is a sanitizer error), its
// rules against the plain transcription of them, score for score with and without the
// vector blocks, the second stage against the rules (a code they decided on text that
// iconv reads stands), and the whole-file opening path after it (copying and taking the bytes).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "../unit/encoding/DetectionReference.h"
#include "../unit/encoding/TextValidityOracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    const EncodingCode code = DetectEncoding(bytes, size);
    const EncodingCode rules = DetectEncodingByRules(bytes, size);
    const Detection stage = DetectEncodingAndStage(bytes, size);
    if (rules != ReferenceDetectEncoding(data, size) || stage.code != code ||
        ((rules == EncodingCode::ShiftJis || rules == EncodingCode::EucJp || rules == EncodingCode::Utf8) &&
         code != rules && IconvReadsAsText(rules, std::string(bytes, size))))
        std::abort();
    if (size >= 2) {
        const DetectionEvidence want = ReferenceDetectionEvidence(data, size);
        for (bool vectorBlocks : {true, false}) {
            const DetectionEvidence got = DetectionEvidenceForTesting(bytes, size, vectorBlocks);
            if (got.zeroPair != want.zeroPair) std::abort();
            if (!want.zeroPair &&
                (got.sjis != want.sjis || got.euc != want.euc || got.utf8 != want.utf8 || got.jis != want.jis ||
                 got.lineBreaksEven != want.lineBreaksEven || got.hasZero != want.hasZero ||
                 got.oddHigh != want.oddHigh || got.utf7Ok != want.utf7Ok))
                std::abort();
        }
    }
    DecodedFile file;
    if (!DecodeFileBytes(std::string_view(bytes, size), true, file) || file.encoding != code) std::abort();
    // Taking the bytes (UTF-8 converted in their own buffer) gives the same text.
    DecodedFile taken;
    if (!DecodeFileBytes(std::string(bytes, size), true, taken) || taken.text != file.text ||
        taken.replaced != file.replaced || taken.unicodeForm != file.unicodeForm || taken.mixedForms != file.mixedForms)
        std::abort();
    if (code != EncodingCode::Utf8 && code != EncodingCode::Utf8Bom) {
        DecodedFile asUtf8;
        if (!DecodeFileBytesAs(std::string(bytes, size), EncodingCode::Utf8, asUtf8) ||
            asUtf8.text != Utf8ToInternalText(std::string_view(bytes, size)))
            std::abort();
    }
    // Whatever was read saves again in every encoding.
    std::string saved;
    for (int kanji = 0; kanji <= 5; ++kanji)
        if (!EncodeFileBytes(file.text, kanji, code, true, false, LineEndingCode::Crlf, saved)) std::abort();
    return 0;
}
