// DetectEncoding: byte-order marks, then one scoring pass (DetectionScan.h) and a fixed
// order of rules; the pass with vector blocks where the processor has them. Then UTF-16
// that the rules leave as zero bytes, and the second stage (DetectionText.cpp) where they
// leave a text undecided or decide on bytes that are not valid text.
#include "encoding/Detection.h"

#include "encoding/DetectionScan.h"

namespace {

bool ProcessorHasSse2()
{
#if defined(__SSE2__)
    return true;
#elif defined(__GNUC__) && !defined(__clang__) && defined(__i386__)
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("sse2") != 0;
    }();
    return has;
#else
    return false;
#endif
}

DetectionEvidence Score(const unsigned char* bytes, std::size_t length, bool vectorBlocks)
{
    if constexpr (encoding_detail::VectorDetectionBuilt) {
        if (vectorBlocks && ProcessorHasSse2()) return encoding_detail::ScanWithVectorBlocks(bytes, length);
    }
    return detection_scan::ScanPositions<detection_scan::NoBlocks>(bytes, length);
}

// UTF-16 without a mark where the rules saw only zero bytes: the zeros of ASCII and Latin
// text fall on one side of each unit, so most odd bytes (little-endian) or most even bytes
// (big-endian) are zero and few of the others. 16-bit text has an even length.
EncodingCode Utf16ByZeroPattern(const unsigned char* b, std::size_t length)
{
    if (length % 2 != 0 || length < 4) return EncodingCode::ZeroBytes;
    std::size_t zeros[2] = {0, 0};
    for (std::size_t i = 0; i + 1 < length; i += 2) {
        zeros[0] += b[i] == 0;
        zeros[1] += b[i + 1] == 0;
    }
    const std::size_t units = length / 2;
    if (zeros[1] * 2 > units && zeros[0] * 4 < units) return EncodingCode::Utf16Le;
    if (zeros[0] * 2 > units && zeros[1] * 4 < units) return EncodingCode::Utf16Be;
    return EncodingCode::ZeroBytes;
}

}  // namespace

Detection DetectEncodingAndStage(const char* bytes, std::size_t length)
{
    if (length >= 2 && bytes && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return {EncodingCode::Utf16BeBom, DetectionStage::Mark};
    const EncodingCode code = DetectEncodingByRules(bytes, length);
    switch (code) {
    case EncodingCode::Utf16LeBom:
    case EncodingCode::Utf8Bom:
        return {code, DetectionStage::Mark};
    case EncodingCode::ZeroBytes: {
        const EncodingCode utf16 = Utf16ByZeroPattern(reinterpret_cast<const unsigned char*>(bytes), length);
        return {utf16, utf16 == code ? DetectionStage::Rules : DetectionStage::Zeros};
    }
    case EncodingCode::ShiftJis:
    case EncodingCode::EucJp:
    case EncodingCode::Utf8:
        if (IsValidTextStart(code, bytes, length)) return {code, DetectionStage::Rules};
        [[fallthrough]];
    case EncodingCode::Undetermined:
    case EncodingCode::NoEvidence:
        if (const EncodingCode chosen = ChooseByJapaneseText(bytes, length);
            chosen != EncodingCode::Undetermined && chosen != code)
            return {chosen, DetectionStage::Text};
        return {code, DetectionStage::Rules};
    default:
        return {code, DetectionStage::Rules};
    }
}

EncodingCode DetectEncoding(const char* bytes, std::size_t length)
{
    return DetectEncodingAndStage(bytes, length).code;
}

const char* DetectionStageName(DetectionStage stage)
{
    switch (stage) {
    case DetectionStage::Mark:
        return "mark";
    case DetectionStage::Zeros:
        return "zeros";
    case DetectionStage::Text:
        return "text";
    default:
        return "rules";
    }
}

EncodingCode DetectEncodingByRules(const char* bytes, std::size_t length)
{
    if (length < 2 || !bytes) return EncodingCode::Undetermined;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    if (b[0] == 0xFF && b[1] == 0xFE) return EncodingCode::Utf16LeBom;
    if (length >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return EncodingCode::Utf8Bom;
    return detection_scan::Decide(Score(b, length, true));
}

DetectionEvidence DetectionEvidenceForTesting(const char* bytes, std::size_t length, bool vectorBlocks)
{
    if (length < 2 || !bytes) return DetectionEvidence{};
    return Score(reinterpret_cast<const unsigned char*>(bytes), length, vectorBlocks);
}
