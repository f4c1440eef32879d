// The chunked byte store under random inserts and erases large enough to split, merge
// and drop chunks, against a plain string.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textcontrol/model/TextBuffer.h"

using namespace kvte::textcontrol;

namespace {
std::string Whole(const TextBuffer& buffer)
{
    std::string out(buffer.Length(), '\0');
    buffer.CopyOut(0, buffer.Length(), out.empty() ? nullptr : &out[0]);
    return out;
}
}  // namespace

TEST(TextBuffer, MatchesAStringAcrossChunkSplitsAndMerges)
{
    std::mt19937 rng(3);
    TextBuffer buffer;
    std::string oracle;
    std::string load(70000, 'x');
    for (size_t i = 0; i < load.size(); ++i) load[i] = static_cast<char>(i % 97 == 0 ? '\n' : 'a' + i % 26);
    ASSERT_TRUE(buffer.Append(load.data(), load.size()));
    oracle = load;
    for (int step = 0; step < 3000; ++step) {
        size_t at = oracle.empty() ? 0 : rng() % (oracle.size() + 1);
        int op = static_cast<int>(rng() % 10);
        if (op < 5) {
            size_t n = op == 0 ? 1 + rng() % (3 * TextBuffer::kChunkLimit) : 1 + rng() % 40;
            std::string piece(n, static_cast<char>('A' + step % 26));
            ASSERT_TRUE(buffer.Insert(at, piece.data(), piece.size()));
            oracle.insert(at, piece);
        } else {
            size_t n = op == 5 ? rng() % (2 * TextBuffer::kChunkLimit) : rng() % 60;
            buffer.Erase(at, n);
            if (at < oracle.size()) oracle.erase(at, n);
        }
        ASSERT_TRUE(buffer.Verify()) << step;
        ASSERT_EQ(buffer.Length(), oracle.size());
        if (step % 50 == 0) {
            ASSERT_EQ(Whole(buffer), oracle) << step;
        }
        if (!oracle.empty()) {
            size_t i = rng() % oracle.size();
            ASSERT_EQ(buffer.At(i), oracle[i]);
            size_t n = std::min<size_t>(oracle.size() - i, rng() % 70000);
            ASSERT_EQ(std::string(buffer.Contiguous(i, n), n), oracle.substr(i, n));
        }
    }
    buffer.Erase(0, buffer.Length());
    EXPECT_EQ(buffer.Length(), 0u);
    EXPECT_TRUE(buffer.Verify());
    ASSERT_TRUE(buffer.Insert(0, "z", 1));
    EXPECT_EQ(Whole(buffer), "z");
}
