// The raw byte search under the literal mode (vectorised, with scalar tails) against a
// plain loop, over every start and limit of random texts of up to a few blocks.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "regex/LiteralSearch.h"

namespace {

std::size_t NaiveForward(std::string const& text, std::size_t from, std::size_t limit, std::string const& needle)
{
    for (std::size_t p = from; p + needle.size() <= limit; ++p)
        if (text.compare(p, needle.size(), needle) == 0) return p;
    return kNotFound;
}

std::size_t NaiveBackward(std::string const& text, std::size_t from, std::size_t limit, std::string const& needle)
{
    if (limit < needle.size()) return kNotFound;
    for (std::size_t p = limit - needle.size() + 1; p-- > from;)
        if (text.compare(p, needle.size(), needle) == 0) return p;
    return kNotFound;
}

TEST(LiteralSearch, ByteSearchAgreesWithAPlainLoop)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        std::size_t size = rng() % 70;
        for (std::size_t i = 0; i < size; ++i) text.push_back("ab\x83\\"[rng() % 4]);
        std::string needle;
        std::size_t needleSize = 1 + rng() % 4;
        for (std::size_t i = 0; i < needleSize; ++i) needle.push_back("ab\x83\\"[rng() % 4]);
        for (std::size_t from = 0; from <= size; ++from) {
            for (std::size_t limit = from; limit <= size; ++limit) {
                ASSERT_EQ(FindBytesForward(text.c_str(), from, limit, needle), NaiveForward(text, from, limit, needle))
                    << text << " / " << needle << " from " << from << " limit " << limit;
                ASSERT_EQ(FindBytesBackward(text.c_str(), from, limit, needle),
                          NaiveBackward(text, from, limit, needle))
                    << text << " / " << needle << " from " << from << " limit " << limit;
            }
        }
    }
}

}  // namespace
