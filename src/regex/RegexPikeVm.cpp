// Pike VM over a forward RegexProgram: a list of threads in priority order, each with the
// position where its match began; one step per character of the text.
#include "regex/RegexPikeVm.h"

#include <vector>

#include "regex/LiteralSearch.h"
#include "regex/RegexAssertions.h"

namespace {

struct Thread {
    int pc;
    std::size_t start;
};

// Threads in priority order, at most one per instruction (a later arrival at the same
// instruction and position has the same future and a lower priority, so it is dropped).
class ThreadList {
public:
    explicit ThreadList(std::size_t size) : sparse(size), dense(size) {}
    bool Contains(int pc) const
    {
        unsigned i = sparse[pc];
        return i < count && dense[i].pc == pc;
    }
    void Add(int pc, std::size_t start)
    {
        sparse[pc] = count;
        dense[count++] = {pc, start};
    }
    void Clear() { count = 0; }
    unsigned Size() const { return count; }
    const Thread& operator[](unsigned i) const { return dense[i]; }

private:
    std::vector<unsigned> sparse;
    std::vector<Thread> dense;
    unsigned count = 0;
};

class PikeVm {
public:
    PikeVm(const RegexProgram& program, const char* text, std::size_t length)
        : prog(program), text(text), length(length), current(program.insts.size()), next(program.insts.size())
    {
        stack.reserve(program.insts.size());
    }

    bool Search(std::size_t from, RegexMatch& match)
    {
        LiteralPattern prefix = MakeLiteralPattern(prog.literalPrefix);
        bool matched = false;
        std::size_t i = from;
        std::size_t lastBoundary = from;
        CharKind before = KindBefore(text, length, from);
        for (;;) {
            if (!matched && current.Size() == 0 && !prefix.bytes.empty()) {
                // No thread alive: no match can begin before the next occurrence of the prefix.
                std::size_t hit = FindLiteralForward(prefix, text, length, i);
                if (hit == kNotFound) return false;
                if (hit != i) {
                    before = KindBefore(text, length, hit, lastBoundary);
                    i = hit;
                }
            }
            std::size_t charLength = 0;
            std::uint32_t code = 0;
            CharKind after = CharKind::Edge;
            if (i < length) {
                code = CodeAt(text, length, i, charLength);
                after = KindOfCode(code);
            }
            if (!matched) AddThread(current, prog.start, i, AssertionsBetween(before, after));
            if (current.Size() == 0) return matched;
            AssertionFlags nextFlags = 0;
            if (i < length) nextFlags = AssertionsBetween(after, KindAfter(text, length, i + charLength));
            for (unsigned t = 0; t < current.Size(); ++t) {
                const Thread& thread = current[t];
                const RegexInst& inst = prog.insts[thread.pc];
                if (inst.op == RegexOp::Match) {
                    // Threads after this one have lower priority: cut them off.
                    match = {thread.start, i};
                    matched = true;
                    break;
                }
                if (i >= length || inst.op != RegexOp::Byte) continue;
                int target = Step(inst, code, charLength);
                if (target >= 0) AddThread(next, target, thread.start, nextFlags);
            }
            if (i >= length) return matched;
            std::swap(current, next);
            next.Clear();
            lastBoundary = i;
            i += charLength;
            before = after;
        }
    }

private:
    const RegexProgram& prog;
    const char* text;
    std::size_t length;
    ThreadList current;
    ThreadList next;
    std::vector<int> stack;

    // Where a thread at a Byte instruction goes on this character, -1 when it dies.
    int Step(const RegexInst& inst, std::uint32_t code, std::size_t charLength) const
    {
        if (charLength == 1) {
            return inst.kind == SymbolKind::Single && prog.sets[inst.set][code] ? inst.next : -1;
        }
        if (inst.kind != SymbolKind::Lead || !prog.sets[inst.set][code >> 8]) return -1;
        const RegexInst& second = prog.insts[inst.next];
        return prog.sets[second.set][code & 0xFF] ? second.next : -1;
    }

    // Follows jumps, splits and assertions from pc in priority order; Byte and Match
    // instructions become threads.
    void AddThread(ThreadList& list, int pc, std::size_t start, AssertionFlags flags)
    {
        stack.clear();
        stack.push_back(pc);
        while (!stack.empty()) {
            int at = stack.back();
            stack.pop_back();
            if (list.Contains(at)) continue;
            list.Add(at, start);
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
            case RegexOp::Match:
                break;
            }
        }
    }
};

}  // namespace

bool PikeVmSearch(const RegexProgram& program, const char* text, std::size_t length, std::size_t from,
                  RegexMatch& match)
{
    if (from > length || program.insts.empty()) return false;
    PikeVm vm(program, text, length);
    return vm.Search(from, match);
}
