// A lazily built DFA over a RegexProgram: each state is the ordered list of threads the
// Pike VM would hold, built the first time the text leads there and cached. It answers
// where a match ends (forward, leftmost-first) or where matches start (backward, over a
// reversed program) at about one table look-up per byte; when the cache outgrows its
// budget it is emptied and rebuilt, so time stays linear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "regex/RegexAssertions.h"
#include "regex/LiteralSearch.h"
#include "regex/RegexProgram.h"

class LazyDfa {
public:
    // program must outlive the DFA. A forward program is searched leftmost-first, a reversed
    // one for every position where some match starts.
    explicit LazyDfa(const RegexProgram& program);
    ~LazyDfa();
    LazyDfa(const LazyDfa&) = delete;
    LazyDfa& operator=(const LazyDfa&) = delete;

    // Forward program. Scans from the boundary from; true when there is a match: matchEnd is
    // the end of the leftmost match and scanFrom a boundary at or before its start (no
    // thread was alive there, so the match cannot begin earlier).
    bool FindEnd(const char* text, std::size_t length, std::size_t from, std::size_t& matchEnd, std::size_t& scanFrom);

    // Reversed program. Reads backwards from the boundary from; returns the greatest
    // boundary below before where a match (ending at or before from) starts, or kNoStart.
    static constexpr std::size_t kNoStart = static_cast<std::size_t>(-1);
    std::size_t FindStartBefore(const char* text, std::size_t length, std::size_t from, std::size_t before);

    // Reversed program. Reads backwards from the boundary end down to the boundary limit and
    // returns the smallest p >= limit such that text[p, end) is a match, or kNoStart.
    std::size_t FindLongestStart(const char* text, std::size_t length, std::size_t end, std::size_t limit);

    std::size_t StateCount() const { return liveCount; }

private:
    struct State;
    const RegexProgram& prog;
    bool leftmostFirst;
    // Symbol classes: bytes that no instruction tells apart share a class.
    std::uint16_t classOf[3][256];
    std::vector<std::uint8_t> classByte;  // a representative byte of each class
    std::vector<SymbolKind> classKind;
    int classCount = 0;
    int wordOffset = 0;  // added to a pair's first-symbol class when the pair is a word character
    int endClass = 0;    // the end (or start) of the text
    int transitionCount = 0;

    // States live in `states`; the first liveCount are in use, the rest are kept for reuse
    // after the cache was emptied (with their buffers), so that emptying costs no frees.
    struct StateDeleter {
        void operator()(State* state) const;
    };
    std::vector<std::unique_ptr<State, StateDeleter>> states;
    std::size_t liveCount = 0;
    std::vector<State*> table;  // open addressing by state hash; size a power of two
    std::size_t memoryUsed = 0;
    State* startStates[2][5] = {};  // unanchored and anchored, by the CharKind before the start

    std::vector<int> closure;
    std::vector<int> scratchInsts;
    std::vector<int> scratchNext;
    std::vector<int> stack;
    std::vector<std::uint32_t> visited;
    std::uint32_t visitMark = 0;
    std::vector<std::uint32_t> stepped;
    std::uint32_t stepMark = 0;

    void BuildClasses();
    State* StartState(CharKind before, bool anchored = false);
    State* Intern(const std::vector<int>& insts, unsigned char flags);
    State* Next(State* state, int symbolClass);
    State* Compute(State* state, int symbolClass);
    void ResetCache();
    bool FollowClosure(const std::vector<int>& from, bool injectStart, AssertionFlags flags);
    CharKind KindOfFirstSymbol(int symbolClass) const;
};
