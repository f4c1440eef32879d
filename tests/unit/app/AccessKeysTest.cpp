// No two controls of a dialog share an access key: the key would move the focus between
// them instead of pressing the button it names (the find dialog's "&F" once did that).
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

namespace {

TEST(AccessKeys, EveryDialogGivesEachKeyToOneControl)
{
    // The general options page offers three "&W" choices, each next to its own group; Windows
    // moves between them in turn, which is how that page has always worked.
    const std::string allowed = "IDD_OPTION_GENERAL:W";
    const std::regex dialog(R"(\n(\w+)\s+DIALOG(?:EX)?\b[\s\S]*?\nBEGIN([\s\S]*?)\nEND)");
    const std::regex quoted("\"([^\"]*)\"");
    int dialogs = 0;
    for (const char* file : {"dialogs.rc", "options.rc", "search.rc", "tools.rc"}) {
        std::ifstream in(std::string(KVTE_SOURCE_DIR "/src/resources/") + file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        for (std::sregex_iterator d(text.begin(), text.end(), dialog), end; d != end; ++d, ++dialogs) {
            std::map<char, int> uses;
            const std::string body = (*d)[2];
            for (std::sregex_iterator q(body.begin(), body.end(), quoted); q != end; ++q) {
                const std::string label = (*q)[1];
                for (size_t at = label.find('&'); at != std::string::npos && at + 1 < label.size();
                     at = label.find('&', at + 2))
                    ++uses[static_cast<char>(std::toupper(static_cast<unsigned char>(label[at + 1])))];
            }
            for (auto [key, count] : uses)
                if (count > 1 && allowed != (*d).str(1) + ":" + key)
                    ADD_FAILURE() << file << " " << (*d)[1] << ": &" << key << " on " << count << " controls";
        }
    }
    EXPECT_GE(dialogs, 10) << "the dialogs were not found";
}

}  // namespace
