// The lazy DFA: state construction from Pike VM thread lists, symbol classes, the cache
// with its memory budget, and the forward and backward scanning loops.
#include "regex/RegexDfa.h"

#include <algorithm>
#include <new>

namespace {

// State flags.
constexpr unsigned char kMidChar = 1;       // between the two bytes of a character
constexpr unsigned char kMatchBefore = 2;   // a match ended at the boundary before the last symbol
constexpr unsigned char kNoMoreStarts = 4;  // leftmost-first: a match was seen, no new threads
constexpr int kKindShift = 3;               // bits 3-5: CharKind before the next boundary
constexpr unsigned char kAnchored = 64;     // start here only: no new threads after this

constexpr std::size_t kCacheBudget = 8u << 20;

}  // namespace

// The transitions follow the state in the same allocation, so that a step of the scan is
// one load at a fixed offset from the state.
struct LazyDfa::State {
    std::vector<int> insts;  // Byte instructions waiting for the next symbol, priority order
    std::size_t hash = 0;
    unsigned char flags = 0;
    bool dead = false;     // nothing can match any more
    bool idle = false;     // no thread alive and no match yet: as good as a fresh start
    bool special = false;  // dead, idle or kMatchBefore: the scan has to look
    State** Next() { return reinterpret_cast<State**>(this + 1); }
};

void LazyDfa::StateDeleter::operator()(State* state) const
{
    state->~State();
    ::operator delete(state);
}

LazyDfa::LazyDfa(const RegexProgram& program) : prog(program), leftmostFirst(!program.reversed)
{
    BuildClasses();
    visited.assign(prog.insts.size(), 0);
    stepped.assign(prog.insts.size(), 0);
}

LazyDfa::~LazyDfa() = default;

void LazyDfa::BuildClasses()
{
    // Two bytes of one kind share a class when every set of that kind holds both or neither;
    // CR and LF always stand alone (the line assertions need them), and so do word
    // characters when the program has \b or \B. Refined one set at a time.
    classCount = 0;
    for (int kind = 0; kind < 3; ++kind) {
        std::vector<const std::bitset<256>*> splitters;
        std::vector<bool> used(prog.sets.size(), false);
        for (const RegexInst& inst : prog.insts) {
            if (inst.op == RegexOp::Byte && static_cast<int>(inst.kind) == kind && !used[inst.set]) {
                used[inst.set] = true;
                splitters.push_back(&prog.sets[inst.set]);
            }
        }
        std::bitset<256> cr, lf, word;
        if (kind == 0) {
            cr.set('\r');
            lf.set('\n');
            splitters.push_back(&cr);
            splitters.push_back(&lf);
            if (prog.usesWordBoundary) {
                for (int b = 0; b < 256; ++b) word[b] = IsWordCode(static_cast<std::uint32_t>(b));
                splitters.push_back(&word);
            }
        }
        std::uint16_t local[256] = {};
        int localCount = 1;
        for (const std::bitset<256>* splitter : splitters) {
            std::vector<int> renumber(static_cast<std::size_t>(localCount) * 2, -1);
            int newCount = 0;
            for (int b = 0; b < 256; ++b) {
                int& target = renumber[static_cast<std::size_t>(local[b]) * 2 + ((*splitter)[b] ? 1 : 0)];
                if (target < 0) target = newCount++;
                local[b] = static_cast<std::uint16_t>(target);
            }
            localCount = newCount;
        }
        std::vector<bool> seen(static_cast<std::size_t>(localCount), false);
        for (int b = 0; b < 256; ++b) {
            classOf[kind][b] = static_cast<std::uint16_t>(classCount + local[b]);
            if (!seen[local[b]]) {
                seen[local[b]] = true;
                classByte.resize(static_cast<std::size_t>(classCount + localCount));
                classKind.resize(static_cast<std::size_t>(classCount + localCount));
                classByte[classCount + local[b]] = static_cast<std::uint8_t>(b);
                classKind[classCount + local[b]] = static_cast<SymbolKind>(kind);
            }
        }
        classCount += localCount;
    }
    // The first symbol of a pair comes in two flavours when word characters matter.
    wordOffset = prog.usesWordBoundary ? classCount : 0;
    endClass = classCount + wordOffset;
    transitionCount = endClass + 1;
}

void LazyDfa::ResetCache()
{
    liveCount = 0;
    std::fill(table.begin(), table.end(), nullptr);
    memoryUsed = 0;
    for (auto& row : startStates)
        for (State*& start : row) start = nullptr;
}

namespace {

std::size_t HashState(const std::vector<int>& insts, unsigned char flags)
{
    std::size_t h = 1469598103u + flags;
    for (int pc : insts) h = (h ^ static_cast<std::size_t>(pc)) * 16777619u + (h >> 13);
    return h;
}

}  // namespace

LazyDfa::State* LazyDfa::Intern(const std::vector<int>& insts, unsigned char flags)
{
    std::size_t hash = HashState(insts, flags);
    if (table.empty()) table.assign(1024, nullptr);
    std::size_t mask = table.size() - 1;
    std::size_t slot = hash & mask;
    for (; table[slot]; slot = (slot + 1) & mask) {
        State* s = table[slot];
        if (s->hash == hash && s->flags == flags && s->insts == insts) return s;
    }
    if (liveCount == states.size()) {
        static_assert(sizeof(State) % alignof(State*) == 0, "transitions must be aligned");
        void* block = ::operator new(sizeof(State) + static_cast<std::size_t>(transitionCount) * sizeof(State*));
        states.emplace_back(new (block) State());
    }
    State* state = states[liveCount++].get();
    state->insts.assign(insts.begin(), insts.end());
    state->flags = flags;
    state->hash = hash;
    state->dead = insts.empty() && (flags & kNoMoreStarts);
    state->idle = insts.empty() && !(flags & (kNoMoreStarts | kMidChar));
    state->special = state->dead || state->idle || (flags & kMatchBefore);
    std::fill(state->Next(), state->Next() + transitionCount, nullptr);
    memoryUsed += sizeof(State) + insts.size() * sizeof(int) + transitionCount * sizeof(State*) + 2 * sizeof(State*);
    table[slot] = state;
    if (liveCount * 2 > table.size()) {
        // Keep the table at most half full.
        std::vector<State*> bigger(table.size() * 2, nullptr);
        std::size_t biggerMask = bigger.size() - 1;
        for (State* s : table) {
            if (!s) continue;
            std::size_t at = s->hash & biggerMask;
            while (bigger[at]) at = (at + 1) & biggerMask;
            bigger[at] = s;
        }
        table.swap(bigger);
    }
    return state;
}

LazyDfa::State* LazyDfa::StartState(CharKind before, bool anchored)
{
    State*& start = startStates[anchored ? 1 : 0][static_cast<int>(before)];
    if (!start) {
        unsigned char flags = static_cast<unsigned char>(static_cast<int>(before) << kKindShift);
        start = Intern({}, static_cast<unsigned char>(flags | (anchored ? kAnchored : 0)));
    }
    return start;
}

inline LazyDfa::State* LazyDfa::Next(State* state, int symbolClass)
{
    State* next = state->Next()[symbolClass];
    return next ? next : Compute(state, symbolClass);
}

CharKind LazyDfa::KindOfFirstSymbol(int symbolClass) const
{
    if (symbolClass == endClass) return CharKind::Edge;
    bool wordFlavour = symbolClass >= classCount;
    int base = wordFlavour ? symbolClass - classCount : symbolClass;
    if (classKind[base] != SymbolKind::Single) return wordFlavour ? CharKind::Word : CharKind::Other;
    std::uint8_t b = classByte[base];
    if (b == '\n') return CharKind::Lf;
    if (b == '\r') return CharKind::Cr;
    return prog.usesWordBoundary && IsWordCode(b) ? CharKind::Word : CharKind::Other;
}

// Expands the waiting threads (then a new thread at the start, when injectStart) through
// jumps, splits and assertions into `closure`, in priority order. Returns true when a
// Match was reached; leftmost-first then drops everything of lower priority.
bool LazyDfa::FollowClosure(const std::vector<int>& from, bool injectStart, AssertionFlags flags)
{
    closure.clear();
    if (++visitMark == 0) {
        std::fill(visited.begin(), visited.end(), 0);
        visitMark = 1;
    }
    bool matched = false;
    auto follow = [&](int pc) {
        stack.clear();
        stack.push_back(pc);
        while (!stack.empty()) {
            int at = stack.back();
            stack.pop_back();
            if (visited[at] == visitMark) continue;
            visited[at] = visitMark;
            const RegexInst& inst = prog.insts[at];
            switch (inst.op) {
            case RegexOp::Jump:
            case RegexOp::Save:  // only in the program that reports groups
                stack.push_back(inst.next);
                break;
            case RegexOp::Split:
                stack.push_back(inst.alt);
                stack.push_back(inst.next);
                break;
            case RegexOp::Assert:
                if (flags & AssertionBit(inst.assertion)) stack.push_back(inst.next);
                break;
            case RegexOp::Byte:
                closure.push_back(at);
                break;
            case RegexOp::Match:
                matched = true;
                if (leftmostFirst) return true;
                break;
            }
        }
        return false;
    };
    for (int pc : from) {
        if (follow(pc)) return true;
    }
    if (injectStart && follow(prog.start)) return true;
    return matched;
}

LazyDfa::State* LazyDfa::Compute(State* state, int symbolClass)
{
    if (memoryUsed > kCacheBudget) {
        // Keep the state being left (by value), forget everything else.
        scratchInsts = state->insts;
        unsigned char flags = state->flags;
        ResetCache();
        state = Intern(scratchInsts, flags);
    }
    bool wordFlavour = symbolClass >= classCount && symbolClass != endClass;
    int base = wordFlavour ? symbolClass - classCount : symbolClass;
    std::vector<int>& nextInsts = scratchNext;
    nextInsts.clear();
    unsigned char nextFlags = 0;
    auto stepOver = [&](const std::vector<int>& threads) {
        for (int pc : threads) {
            const RegexInst& inst = prog.insts[pc];
            if (inst.kind != classKind[base] || !prog.sets[inst.set][classByte[base]]) continue;
            int target = inst.next;
            // Keep the first arrival only: a later one has the same future and lower priority.
            if (stepped[target] == stepMark) continue;
            stepped[target] = stepMark;
            nextInsts.push_back(target);
        }
    };
    if (++stepMark == 0) {
        std::fill(stepped.begin(), stepped.end(), 0);
        stepMark = 1;
    }
    if (state->flags & kMidChar) {
        // The second byte of a character: no boundary before it, nothing to expand.
        stepOver(state->insts);
        // The kind of the whole character was settled at its first byte.
        nextFlags = static_cast<unsigned char>(state->flags & (kNoMoreStarts | (7 << kKindShift)));
    } else {
        CharKind previous = static_cast<CharKind>(state->flags >> kKindShift & 7);
        CharKind upcoming = KindOfFirstSymbol(symbolClass);
        AssertionFlags assertions =
            prog.reversed ? AssertionsBetween(upcoming, previous) : AssertionsBetween(previous, upcoming);
        bool noMoreStarts = state->flags & kNoMoreStarts;
        bool matched = FollowClosure(state->insts, !noMoreStarts, assertions);
        if (matched) nextFlags |= kMatchBefore;
        if ((leftmostFirst && matched) || noMoreStarts || (state->flags & kAnchored)) nextFlags |= kNoMoreStarts;
        if (symbolClass != endClass) {
            bool firstOfPair = classKind[base] != SymbolKind::Single;
            stepOver(closure);
            nextFlags |= static_cast<unsigned char>(static_cast<int>(upcoming) << kKindShift);
            if (firstOfPair) nextFlags |= kMidChar;
        }
    }
    // Without priorities (backward scans) the order carries no meaning: sorting lets equal
    // sets share one state.
    if (!leftmostFirst) std::sort(nextInsts.begin(), nextInsts.end());
    State* next = Intern(nextInsts, nextFlags);
    state->Next()[symbolClass] = next;
    return next;
}

bool LazyDfa::FindEnd(const char* text, std::size_t length, std::size_t from, std::size_t& matchEnd,
                      std::size_t& scanFrom)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    LiteralPattern prefix = MakeLiteralPattern(prog.literalPrefix);
    std::size_t lastBoundary = from;
    State* state = StartState(KindBefore(text, length, from));
    std::size_t i = from;
    std::size_t found = kNoStart;
    scanFrom = from;
    while (i < length) {
        if (state->special) {
            if (state->dead) break;
            if (state->idle) {
                scanFrom = i;
                if (!prefix.bytes.empty()) {
                    std::size_t hit = FindLiteralForward(prefix, text, length, i);
                    if (hit == kNotFound) return false;
                    if (hit != i) {
                        state = StartState(KindBefore(text, length, hit, lastBoundary));
                        i = hit;
                        scanFrom = i;
                    }
                }
            }
        }
        lastBoundary = i;
        unsigned char b = bytes[i];
        if (sjis::IsLeadByte(b) && i + 1 < length && sjis::IsTrailByte(bytes[i + 1])) {
            int first = classOf[static_cast<int>(SymbolKind::Lead)][b];
            if (wordOffset && IsWordCode(static_cast<std::uint32_t>(b) << 8 | bytes[i + 1])) first += wordOffset;
            state = Next(state, first);
            if (state->special && (state->flags & kMatchBefore)) found = i;
            state = Next(state, classOf[static_cast<int>(SymbolKind::Trail)][bytes[i + 1]]);
            i += 2;
        } else {
            state = Next(state, classOf[0][b]);
            if (state->special && (state->flags & kMatchBefore)) found = i;
            ++i;
        }
    }
    if (!state->dead) {
        if (state->idle) scanFrom = i;
        state = Next(state, endClass);
        if (state->flags & kMatchBefore) found = length;
    }
    if (found == kNoStart) return false;
    matchEnd = found;
    return true;
}

std::size_t LazyDfa::FindStartBefore(const char* text, std::size_t length, std::size_t from, std::size_t before)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    SjisBackwardBoundaries boundaries(text);
    State* state = StartState(KindAfter(text, length, from));
    std::size_t p = from;
    while (p > 0) {
        std::size_t start = boundaries.CharStart(p - 1);
        if (p - start == 2) {
            int first = classOf[static_cast<int>(SymbolKind::Trail)][bytes[p - 1]];
            if (wordOffset && IsWordCode(static_cast<std::uint32_t>(bytes[start]) << 8 | bytes[p - 1]))
                first += wordOffset;
            state = Next(state, first);
            if ((state->flags & kMatchBefore) && p < before) return p;
            state = Next(state, classOf[static_cast<int>(SymbolKind::Lead)][bytes[start]]);
        } else {
            state = Next(state, classOf[0][bytes[start]]);
            if ((state->flags & kMatchBefore) && p < before) return p;
        }
        p = start;
    }
    state = Next(state, endClass);
    if ((state->flags & kMatchBefore) && 0 < before) return 0;
    return kNoStart;
}

std::size_t LazyDfa::FindLongestStart(const char* text, std::size_t length, std::size_t end, std::size_t limit)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    SjisBackwardBoundaries boundaries(text);
    State* state = StartState(KindAfter(text, length, end), true);
    std::size_t best = kNoStart;
    std::size_t p = end;
    // One character more than the range: its first symbol tells whether a match starts at limit.
    for (;;) {
        if (p == 0) {
            state = Next(state, endClass);
            if (state->flags & kMatchBefore) best = 0;
            break;
        }
        std::size_t start = boundaries.CharStart(p - 1);
        if (p - start == 2) {
            int first = classOf[static_cast<int>(SymbolKind::Trail)][bytes[p - 1]];
            if (wordOffset && IsWordCode(static_cast<std::uint32_t>(bytes[start]) << 8 | bytes[p - 1]))
                first += wordOffset;
            state = Next(state, first);
            if (state->flags & kMatchBefore) best = p;
            if (p <= limit || state->dead) break;
            state = Next(state, classOf[static_cast<int>(SymbolKind::Lead)][bytes[start]]);
        } else {
            state = Next(state, classOf[0][bytes[start]]);
            if (state->flags & kMatchBefore) best = p;
            if (p <= limit || state->dead) break;
        }
        if (state->dead) break;
        p = start;
    }
    return best;
}
