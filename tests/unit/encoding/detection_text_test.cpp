// The second stage of recognition: short texts it must read right, and, on snippets of the
// repository's own Japanese help and readme in each encoding, whole and cut, that it never
// changes a code the rules decided on valid text (iconv the judge of valid).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestText.h"
#include "TextValidityOracle.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "encoding/SjisBytes.h"

namespace {

using E = EncodingCode;

// The text in each encoding the second stage chooses among.
std::pair<std::string, E> Written(const std::string& internal, int which)
{
    if (which == 0) return {internal, E::ShiftJis};
    if (which == 1) return {ToEuc(internal), E::EucJp};
    return {InternalTextToUtf8(internal), E::Utf8};
}

TEST(DetectionText, ShortTextsTheRulesLeaveOpen)
{
    // Ties of the rules (あ in EUC-JP scores 2 and 2), a UTF-8-looking triple in Shift_JIS
    // (はか: 82 CD 82 A9), EUC-JP that looks like a broken UTF-8 form, kanji of both levels.
    for (const char* text : {"あ", "えき", "はか", "荒巻", "てき", "ッド", "お話", "受け答", "足掛り", "久/", " /海",
                             "聨隊", "、(0,", "〜", "①"})
        for (int which = 0; which < 3; ++which) {
            const auto [bytes, code] = Written(Utf8ToInternalText(text), which);
            EXPECT_EQ(DetectEncoding(bytes.data(), bytes.size()), code) << text << " as " << EncodingCodeName(code);
        }
    const struct {
        std::string bytes;
        Detection expected;
    } cases[] = {
        {Bytes({0xA4, 0xA2}), {E::EucJp, DetectionStage::Text}},
        {Bytes({0x82, 0xCD, 0x82, 0xA9}), {E::ShiftJis, DetectionStage::Text}},
        {"a+b c", {E::NoEvidence, DetectionStage::Rules}},     // nothing above 0x7F to read
        {"\x80\xE9 ", {E::ShiftJis, DetectionStage::Rules}},  // valid in none of the three
        {"\x82\xA0\x82", {E::ShiftJis, DetectionStage::Rules}},  // cut by the end, and valid in no other
    };
    for (const auto& c : cases) {
        const Detection got = DetectEncodingAndStage(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(got.code, c.expected.code) << c.bytes;
        EXPECT_EQ(got.stage, c.expected.stage) << c.bytes;
    }
    // Only the first block is read: a form cut by its end is valid, one cut by the file's end is not.
    const std::string start = std::string(kTextStageBytes - 2, 'a') + "\xE3\x81\x82";
    EXPECT_TRUE(IsValidTextStart(E::Utf8, start.data(), start.size()));
    EXPECT_FALSE(IsValidTextStart(E::Utf8, start.data(), start.size() - 1));
    for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80"})  // overlong, surrogate, too high
        EXPECT_FALSE(IsValidTextStart(E::Utf8, bad, std::char_traits<char>::length(bad))) << bad;
}

std::string Internal(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return Utf8ToInternalText(s.str());
}

TEST(DetectionText, NeverChangesWhatTheRulesDecidedOnValidText)
{
    namespace fs = std::filesystem;
    const fs::path root = KVTE_SOURCE_DIR;
    std::string corpus = Internal(root / "dist-readme" / "readme.txt");
    for (const auto& entry : fs::directory_iterator(root / "help" / "_RESOURCE"))
        if (entry.path().extension() == ".html") corpus += Internal(entry.path());
    // Character boundaries of the whole corpus, so that snippets start and end on them.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < corpus.size(); i += sjis::CharLength(corpus.data(), corpus.size(), i))
        starts.push_back(i);
    long snippets = 0, right = 0, changed = 0, wrongByText = 0;
    for (std::size_t k = 0; k + 41 < starts.size(); k += 13) {
        const std::size_t chars = 2 + k % 39;
        const std::string text = corpus.substr(starts[k], starts[k + chars] - starts[k]);
        if (text.find_first_of("\x80\x81\x82\x83\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94\x95\x96\x97\x98"
                               "\x99\x9A\x9B\x9C\x9D\x9E\x9F\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA") ==
            std::string::npos)
            continue;  // Japanese ones only: their two-byte characters
        for (int which = 0; which < 3; ++which) {
            const auto [whole, code] = Written(text, which);
            for (const std::string& bytes : {whole, whole.substr(0, whole.size() - 1)}) {
                const E rules = DetectEncodingByRules(bytes.data(), bytes.size());
                const Detection got = DetectEncodingAndStage(bytes.data(), bytes.size());
                if (got.code != rules) {
                    ++changed;
                    ASSERT_EQ(got.stage, DetectionStage::Text);
                    ASSERT_TRUE(IconvReadsAsText(got.code, bytes)) << EncodingCodeName(got.code) << " for " << testing::PrintToString(bytes);
                }
                if ((rules == E::ShiftJis || rules == E::EucJp || rules == E::Utf8) && IconvReadsAsText(rules, bytes)) {
                    ASSERT_EQ(got.code, rules) << bytes;
                }
            }
            ++snippets;
            const Detection got = DetectEncodingAndStage(whole.data(), whole.size());
            right += got.code == code;
            wrongByText += got.code != code && got.stage == DetectionStage::Text;
        }
    }
    EXPECT_GT(snippets, 3000);
    EXPECT_GT(changed, snippets / 20) << "the corpus must reach the second stage";
    // The misses are EUC-JP snippets that the rules take for Shift_JIS, which they also are.
    EXPECT_GE(right, snippets * 98 / 100) << right << " of " << snippets;
    EXPECT_EQ(wrongByText, 0);
}

}  // namespace
