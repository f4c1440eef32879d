// The chunked byte store under random inserts and erases large enough to split, merge
// and drop chunks, against a plain string; loaded by appending and by taking a text whole
// (its chunks then slices of that text, cut and copied out by the edits).
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

void RunRandomEdits(unsigned seed, size_t loadSize, bool taken)
{
    std::mt19937 rng(seed);
    TextBuffer buffer;
    std::string oracle;
    std::string load(loadSize, 'x');
    for (size_t i = 0; i < load.size(); ++i) load[i] = static_cast<char>(i % 97 == 0 ? '\n' : 'a' + i % 26);
    oracle = load;
    if (taken)
        ASSERT_TRUE(buffer.Adopt(std::move(load)));
    else
        ASSERT_TRUE(buffer.Append(load.data(), load.size()));
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
            ASSERT_TRUE(buffer.Erase(at, n));
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
    ASSERT_TRUE(buffer.Erase(0, buffer.Length()));
    EXPECT_EQ(buffer.Length(), 0u);
    EXPECT_TRUE(buffer.Verify());
    // With its last slice gone, a text taken whole is let go.
    if (taken) {
        EXPECT_LT(buffer.MemoryUse(), loadSize);
    }
    ASSERT_TRUE(buffer.Insert(0, "z", 1));
    EXPECT_EQ(Whole(buffer), "z");
}

TEST(TextBuffer, MatchesAStringAcrossChunkSplitsAndMerges) { RunRandomEdits(3, 70000, false); }

TEST(TextBuffer, MatchesAStringWhenTheTextWasTakenWhole)
{
    for (unsigned seed = 10; seed < 14; ++seed) {
        RunRandomEdits(seed, 300000 + seed, true);
        if (HasFatalFailure()) FAIL() << "seed " << seed;
    }
}

TEST(TextBuffer, TakesATextWithoutCopyingIt)
{
    std::string text(5 * TextBuffer::kChunkTarget + 7, 'q');
    text[TextBuffer::kChunkTarget + 1] = 'r';
    const char* where = text.data();
    TextBuffer buffer;
    ASSERT_TRUE(buffer.Adopt(std::move(text)));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(buffer.Contiguous(0, 10), where);
    EXPECT_EQ(buffer.Contiguous(TextBuffer::kChunkTarget + 1, 1), where + TextBuffer::kChunkTarget + 1);
    // Cutting a slice at either end copies nothing; an edit inside one copies that one out.
    const size_t t = TextBuffer::kChunkTarget;
    ASSERT_TRUE(buffer.Erase(0, 3));      // the first slice is now [3, t)
    ASSERT_TRUE(buffer.Erase(t - 7, 4));  // and [3, t - 4)
    EXPECT_EQ(buffer.Contiguous(0, 1), where + 3);
    EXPECT_EQ(buffer.Contiguous(t - 6, 1), where + t + 1);  // the "r", in the second slice
    ASSERT_TRUE(buffer.Insert(10, "s", 1));
    EXPECT_NE(buffer.Contiguous(0, 1), where + 3);
    EXPECT_EQ(buffer.At(10), 's');
    EXPECT_EQ(buffer.At(t - 5), 'r');
    EXPECT_TRUE(buffer.Verify());
    // A short text is copied into a chunk of its own.
    std::string shortText = "short";
    ASSERT_TRUE(buffer.Adopt(std::move(shortText)));
    EXPECT_EQ(Whole(buffer), "short");
}
