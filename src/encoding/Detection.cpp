// DetectEncoding: byte-order marks, then one scoring pass (DetectionScan.h) and a fixed
// order of rules; the pass with vector blocks where the processor has them.
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

}  // namespace

EncodingCode DetectEncoding(const char* bytes, std::size_t length)
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
