// The committed tables are exactly what the generator writes today.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(TablesGeneration, CommittedOutputMatchesTheGenerator)
{
    if (std::system("python3 -c 'import sys' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "python3 is not installed: the generated tables were not checked";
    const std::string source = KVTE_SOURCE_DIR, fresh = testing::TempDir() + "EncodingTables.regenerated.cpp";
    const std::string command = "python3 '" + source + "/src/encoding/gen/gen_encoding_tables.py' '" + fresh + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << "the generator failed: " << command;
    std::ostringstream committed, regenerated;
    committed << std::ifstream(source + "/src/encoding/EncodingTables.generated.cpp", std::ios::binary).rdbuf();
    regenerated << std::ifstream(fresh, std::ios::binary).rdbuf();
    std::remove(fresh.c_str());
    ASSERT_FALSE(committed.str().empty());
    EXPECT_TRUE(committed.str() == regenerated.str())
        << "src/encoding/EncodingTables.generated.cpp is out of date: rerun the generator";
}

}  // namespace
