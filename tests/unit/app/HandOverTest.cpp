// The records other processes send, and the command-line rule.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/CommandLine.h"
#include "app/OpenFileRequest.h"

namespace {

TEST(OpenFileRequestTest, RoundTripsThroughTheWireLayout)
{
    OpenFileRequest request;
    ASSERT_TRUE(MakeOpenFileRequest("C:\\a b\\\x83\\.txt", -1, true, request));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&request);
    EXPECT_EQ(bytes[264], 0xFF);  // -1, little-endian
    EXPECT_EQ(bytes[267], 0xFF);
    EXPECT_EQ(bytes[268], 1);
    OpenFileRequest received;
    ASSERT_TRUE(ReadOpenFileRequest(&request, sizeof request, received));
    EXPECT_STREQ(received.path, "C:\\a b\\\x83\\.txt");
    EXPECT_EQ(received.mode, -1);
    EXPECT_EQ(received.showErrors, 1);
    // Paths that do not fit are not sent.
    EXPECT_TRUE(MakeOpenFileRequest(std::string(263, 'a'), 0, true, request));
    EXPECT_FALSE(MakeOpenFileRequest(std::string(264, 'a'), 0, true, request));
}

TEST(OpenFileRequestTest, MalformedDataIsRefusedWithoutReadingPastIt)
{
    OpenFileRequest request;
    // Exactly sized heap blocks, so that the sanitizers catch a read past the end.
    std::vector<unsigned char> shortData(271, 0);
    EXPECT_FALSE(ReadOpenFileRequest(shortData.data(), shortData.size(), request));
    EXPECT_FALSE(ReadOpenFileRequest(nullptr, 272, request));
    std::vector<unsigned char> unterminated(272, 'a');
    unterminated[264] = 0;  // a zero after the path field does not count
    EXPECT_FALSE(ReadOpenFileRequest(unterminated.data(), unterminated.size(), request));
    std::vector<unsigned char> odd(272, 0);
    odd[0] = 'x';
    odd[268] = 7;
    ASSERT_TRUE(ReadOpenFileRequest(odd.data(), odd.size(), request));
    EXPECT_EQ(request.showErrors, 1);
}

TEST(CopyDataTextTest, NeedsATerminatorInsideTheData)
{
    std::string_view text;
    std::vector<char> unterminated = {'a', 'b'};
    EXPECT_FALSE(ReadCopyDataText(unterminated.data(), unterminated.size(), text));
    std::vector<char> terminated = {'a', 'b', '\0', 'c'};
    ASSERT_TRUE(ReadCopyDataText(terminated.data(), terminated.size(), text));
    EXPECT_EQ(text, "ab");
}

TEST(CommandLineTest, QuotesAndBlanks)
{
    using sv = std::string_view;
    EXPECT_EQ(PathFromCommandLine(sv("\"C:\\My Files\\a.txt\"")), "C:\\My Files\\a.txt");
    EXPECT_EQ(PathFromCommandLine(sv("C:\\My Files\\a.txt")), "C:\\My Files\\a.txt");
    // A quoted path followed by more text loses only the line's last character.
    EXPECT_EQ(PathFromCommandLine(sv("\"C:\\a.txt\" -x")), "C:\\a.txt\" -");
    for (sv line : {sv("\""), sv("\"\""), sv("")}) EXPECT_EQ(PathFromCommandLine(line), "");
    EXPECT_EQ(PathFromCommandLine(std::wstring_view(L"\"C:\\日本.txt\"")), L"C:\\日本.txt");
}

TEST(CommandLineTest, AWholeExistingNameIsOnePathAndAnyOtherLineSplitsAtBlanksOutsideQuotes)
{
    using sv = std::string_view;
    using Paths = std::vector<std::string>;
    const auto exists = [](sv path) { return path == "my file.txt" || path == "C:\\a b\\c.txt"; };
    const struct {
        sv line;
        Paths paths;
    } cases[] = {
        {"my file.txt", {"my file.txt"}},
        {"\"C:\\a b\\c.txt\"", {"C:\\a b\\c.txt"}},
        {"a.txt \"b c.txt\"", {"a.txt", "b c.txt"}},
        {"a.txt\t \tb.txt  ", {"a.txt", "b.txt"}},
        {"\"my file.txt\" other.txt", {"my file.txt", "other.txt"}},
        {"a\"b c\"d \"\"", {"ab cd"}},
        {"\"unclosed name", {"unclosed name"}},
        {"", {}},
        {"   ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(PathsFromCommandLine(c.line, exists), c.paths) << c.line;
}

TEST(CommandLineTest, CodeOptionsChooseTheEncodingOfTheFilesAfterThem)
{
    using Files = std::vector<std::pair<std::string, int>>;  // path, code (-1: recognised)
    const struct {
        std::string_view line;
        Files files;
    } cases[] = {
        {"a.txt -code=euc b.txt c.txt", {{"a.txt", -1}, {"b.txt", 0x400}, {"c.txt", 0x400}}},
        {"-code=cp932 a.txt -code=utf16be \"b c.txt\"", {{"a.txt", 0x201}, {"b c.txt", 0x805}}},
        {"-code=sjis -code=latin1 a.txt -code= -CODE=jis", {{"a.txt", 0x200}, {"-CODE=jis", 0x200}}},
        {"-code=euc", {}},
    };
    for (const auto& c : cases) {
        Files files;
        for (const auto& file : FilesOfCommandLine(SplitCommandLine(c.line)))
            files.emplace_back(file.path, file.code ? static_cast<int>(*file.code) : -1);
        EXPECT_EQ(files, c.files) << c.line;
    }
    EXPECT_EQ(*FilesOfCommandLine(SplitCommandLine(std::wstring_view(L"-code=utf8 日本.txt")))[0].code, EncodingCode::Utf8);
}

TEST(OpenFileRequestTest, AnOpenAsRequestCarriesAKnownEncodingName)
{
    OpenFileAsRequest request, received;
    EncodingCode code;
    EXPECT_FALSE(MakeOpenFileAsRequest("a.txt", 0, true, "latin1", request));
    ASSERT_TRUE(MakeOpenFileAsRequest("C:\\a.txt", 2, false, "utf16be", request));
    ASSERT_TRUE(ReadOpenFileAsRequest(&request, sizeof request, received, code));
    EXPECT_EQ(code, EncodingCode::Utf16Be);
    EXPECT_STREQ(received.file.path, "C:\\a.txt");
    EXPECT_EQ(received.file.mode, 2);
    std::vector<unsigned char> bytes(reinterpret_cast<unsigned char*>(&request), reinterpret_cast<unsigned char*>(&request + 1));
    EXPECT_FALSE(ReadOpenFileAsRequest(bytes.data(), 287, received, code));  // shorter than the record
    std::memset(&bytes[272], 'u', 16);  // a name without its terminator
    EXPECT_FALSE(ReadOpenFileAsRequest(bytes.data(), bytes.size(), received, code));
}

}  // namespace
