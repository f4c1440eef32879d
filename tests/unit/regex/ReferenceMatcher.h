// A slow, obviously correct matcher for the tests: backtracking over the parsed tree,
// trying starts one by one. Every fast engine behind CKRegExp is checked against it.
// Exponential in the worst case: use it on small texts and patterns only.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "regex/RegexSyntax.h"

namespace reference {

struct Match {
    std::size_t start;
    std::size_t end;
    bool operator==(Match const& other) const { return start == other.start && end == other.end; }
};

// Character starts decoded from the front, written out independently of the engine's helpers.
inline std::vector<std::size_t> Boundaries(std::string_view text)
{
    auto lead = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    auto trail = [](unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); };
    std::vector<std::size_t> result;
    std::size_t i = 0;
    while (i < text.size()) {
        result.push_back(i);
        bool pair = lead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                    trail(static_cast<unsigned char>(text[i + 1]));
        i += pair ? 2 : 1;
    }
    result.push_back(text.size());
    return result;
}

class Matcher {
public:
    // stepLimit bounds the work; when it runs out, Aborted() turns true and results are void.
    Matcher(RegexNode const& root, std::string_view text, long stepLimit = 2000000)
        : root(root), text(text), bounds(Boundaries(text)), steps(stepLimit)
    {
        nextBoundary.assign(text.size() + 1, 0);
        for (std::size_t i = 0; i + 1 < bounds.size(); ++i) nextBoundary[bounds[i]] = bounds[i + 1];
    }

    bool Aborted() const { return steps < 0; }

    // Group spans of the last match found: start of group n at 2n, end at 2n + 1, npos
    // where it took no part; index 0 and 1 are left to the caller.
    std::vector<std::size_t> groups;

    std::optional<std::size_t> MatchAt(std::size_t start)
    {
        std::size_t end = 0;
        slots.assign(20, std::string_view::npos);
        bool ok = MatchNode(root, start, [&](std::size_t e) {
            end = e;
            groups = slots;
            return true;
        });
        if (!ok || Aborted()) return std::nullopt;
        return end;
    }

    std::optional<Match> Forward(std::size_t from)
    {
        for (std::size_t s : bounds) {
            if (s < from) continue;
            if (auto end = MatchAt(s)) return Match{s, *end};
            if (Aborted()) return std::nullopt;
        }
        return std::nullopt;
    }

    std::optional<Match> Backward(std::size_t before)
    {
        for (std::size_t k = bounds.size(); k-- > 0;) {
            std::size_t s = bounds[k];
            if (s >= before) continue;
            if (auto end = MatchAt(s)) return Match{s, *end};
            if (Aborted()) return std::nullopt;
        }
        return std::nullopt;
    }

private:
    using Continuation = std::function<bool(std::size_t)>;
    RegexNode const& root;
    std::string_view text;
    std::vector<std::size_t> bounds;
    std::vector<std::size_t> nextBoundary;
    std::vector<std::size_t> slots;
    long steps;

    std::uint32_t CodeAt(std::size_t i) const
    {
        std::size_t length = nextBoundary[i] - i;
        std::uint32_t code = static_cast<unsigned char>(text[i]);
        if (length == 2) code = code << 8 | static_cast<unsigned char>(text[i + 1]);
        return code;
    }

    bool IsWordAt(std::size_t i) const
    {
        static CharSet const word = WordCharSet();
        return i < text.size() && CharSetContains(word, CodeAt(i));
    }

    bool IsWordBefore(std::size_t i) const
    {
        if (i == 0) return false;
        std::size_t k = 0;
        while (bounds[k + 1] < i) ++k;
        return IsWordAt(bounds[k]);
    }

    bool Holds(RegexAssertion assertion, std::size_t i) const
    {
        std::size_t n = text.size();
        char before = i > 0 ? text[i - 1] : 0;
        char after = i < n ? text[i] : 0;
        switch (assertion) {
        case RegexAssertion::BeginText:
            return i == 0;
        case RegexAssertion::EndText:
            return i == n;
        case RegexAssertion::BeginLine:
            return i == 0 || before == '\n' || (before == '\r' && after != '\n');
        case RegexAssertion::EndLine:
            return i == n || after == '\r' || (after == '\n' && before != '\r');
        case RegexAssertion::WordBoundary:
            return IsWordBefore(i) != IsWordAt(i);
        case RegexAssertion::NotWordBoundary:
            return IsWordBefore(i) == IsWordAt(i);
        }
        return false;
    }

    bool MatchNode(RegexNode const& node, std::size_t i, Continuation const& k)
    {
        if (--steps < 0) return false;
        switch (node.type) {
        case RegexNodeType::Empty:
            return k(i);
        case RegexNodeType::Chars:
            if (i >= text.size() || !CharSetContains(node.chars, CodeAt(i))) return false;
            return k(nextBoundary[i]);
        case RegexNodeType::Assert:
            return Holds(node.assertion, i) && k(i);
        case RegexNodeType::Concat:
            return Sequence(node, 0, i, k);
        case RegexNodeType::Alternate:
            for (auto const& child : node.children) {
                if (MatchNode(*child, i, k)) return true;
                if (Aborted()) return false;
            }
            return false;
        case RegexNodeType::Repeat:
            return Repeat(node, 0, i, k);
        case RegexNodeType::Capture: {
            std::size_t const slot = 2 * static_cast<std::size_t>(node.group);
            if (slot >= slots.size()) return MatchNode(*node.children[0], i, k);
            return MatchNode(*node.children[0], i, [&](std::size_t j) {
                std::size_t const oldStart = slots[slot], oldEnd = slots[slot + 1];
                slots[slot] = i;
                slots[slot + 1] = j;
                if (k(j)) return true;
                slots[slot] = oldStart;
                slots[slot + 1] = oldEnd;
                return false;
            });
        }
        }
        return false;
    }

    bool Sequence(RegexNode const& node, std::size_t index, std::size_t i, Continuation const& k)
    {
        if (index == node.children.size()) return k(i);
        return MatchNode(*node.children[index], i, [&](std::size_t j) { return Sequence(node, index + 1, j, k); });
    }

    // Up to the minimum every iteration counts; above it an unbounded loop may not go round
    // without consuming (that path fails), a bounded one may.
    bool Repeat(RegexNode const& node, int count, std::size_t i, Continuation const& k)
    {
        RegexNode const& body = *node.children[0];
        if (count < node.min) return MatchNode(body, i, [&](std::size_t j) { return Repeat(node, count + 1, j, k); });
        if (node.max >= 0 && count >= node.max) return k(i);
        auto more = [&] {
            return MatchNode(body, i, [&](std::size_t j) {
                if (node.max < 0 && j == i) return false;
                return Repeat(node, count + 1, j, k);
            });
        };
        if (node.greedy) return more() || (!Aborted() && k(i));
        return k(i) || (!Aborted() && more());
    }
};

}  // namespace reference
