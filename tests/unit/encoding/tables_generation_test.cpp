// The committed tables are exactly what the generator writes today.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TablesGeneration, CommittedOutputMatchesTheGenerator)
{
    if (std::system("python3 -c 'import sys' >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 is not installed: the generated tables were not checked";
    }
    const std::string source = KVTE_SOURCE_DIR;
    const std::string fresh = testing::TempDir() + "EncodingTables.regenerated.cpp";
    const std::string command = "python3 '" + source + "/src/encoding/gen/gen_encoding_tables.py' '" + fresh + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << "the generator failed: " << command;
    const std::string committed = ReadAll(source + "/src/encoding/EncodingTables.generated.cpp");
    const std::string regenerated = ReadAll(fresh);
    std::remove(fresh.c_str());
    ASSERT_FALSE(committed.empty());
    EXPECT_TRUE(committed == regenerated)
        << "src/encoding/EncodingTables.generated.cpp is out of date: rerun the generator";
}

}  // namespace
