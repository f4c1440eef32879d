// Pike VM with capture slots, anchored at the match's start and stopping at its end.
#include "regex/RegexCaptures.h"

#include <vector>

#include "regex/RegexAssertions.h"

namespace {

// Threads in priority order, at most one per instruction, each with its slots.
class CaptureThreads {
public:
    explicit CaptureThreads(std::size_t size) : sparse(size), pcs(size), slots(size) {}
    bool Contains(int pc) const
    {
        unsigned i = sparse[pc];
        return i < count && pcs[i] == pc;
    }
    void Add(int pc)
    {
        sparse[pc] = count;
        pcs[count++] = pc;
    }
    void SetSlots(int pc, const CaptureSlots& value) { slots[sparse[pc]] = value; }
    void Clear() { count = 0; }
    unsigned Size() const { return count; }
    int Pc(unsigned i) const { return pcs[i]; }
    const CaptureSlots& Slots(unsigned i) const { return slots[i]; }

private:
    std::vector<unsigned> sparse;
    std::vector<int> pcs;
    std::vector<CaptureSlots> slots;
    unsigned count = 0;
};

class CaptureVm {
public:
    CaptureVm(const RegexProgram& program, const char* text, std::size_t length)
        : prog(program), text(text), length(length), current(program.insts.size()), next(program.insts.size())
    {
    }

    bool Run(std::size_t start, std::size_t end, CaptureSlots& result)
    {
        CaptureSlots slots;
        slots.fill(kNoCapture);
        std::size_t i = start;
        CharKind before = KindBefore(text, length, start);
        CharKind after = KindAfter(text, length, start);
        AddThread(current, prog.start, i, slots, AssertionsBetween(before, after));
        for (;;) {
            if (i >= end) {
                // The first thread (in priority order) that matches here is the match's way.
                for (unsigned t = 0; t < current.Size(); ++t) {
                    if (prog.insts[current.Pc(t)].op != RegexOp::Match) continue;
                    result = current.Slots(t);
                    result[0] = start;
                    result[1] = end;
                    return true;
                }
                return false;
            }
            std::size_t charLength = 0;
            std::uint32_t code = CodeAt(text, length, i, charLength);
            AssertionFlags nextFlags = AssertionsBetween(after, KindAfter(text, length, i + charLength));
            for (unsigned t = 0; t < current.Size(); ++t) {
                const RegexInst& inst = prog.insts[current.Pc(t)];
                if (inst.op != RegexOp::Byte) continue;
                int target = Step(inst, code, charLength);
                if (target < 0) continue;
                slots = current.Slots(t);
                AddThread(next, target, i + charLength, slots, nextFlags);
            }
            if (next.Size() == 0) return false;
            std::swap(current, next);
            next.Clear();
            i += charLength;
            after = KindAfter(text, length, i);
        }
    }

private:
    // A path still to follow, or (pc < 0) a slot to put back once the paths below it are done.
    struct Pending {
        int pc;
        int slot;
        std::size_t value;
    };
    const RegexProgram& prog;
    const char* text;
    std::size_t length;
    CaptureThreads current;
    CaptureThreads next;
    std::vector<Pending> stack;

    int Step(const RegexInst& inst, std::uint32_t code, std::size_t charLength) const
    {
        if (charLength == 1) return inst.kind == SymbolKind::Single && prog.sets[inst.set][code] ? inst.next : -1;
        if (inst.kind != SymbolKind::Lead || !prog.sets[inst.set][code >> 8]) return -1;
        const RegexInst& second = prog.insts[inst.next];
        return prog.sets[second.set][code & 0xFF] ? second.next : -1;
    }

    // Follows jumps, splits, assertions and saves from pc in priority order; slots is the
    // path's own copy, changed by saves on the way and put back behind them.
    void AddThread(CaptureThreads& list, int pc, std::size_t position, CaptureSlots& slots, AssertionFlags flags)
    {
        stack.clear();
        stack.push_back({pc, 0, 0});
        while (!stack.empty()) {
            Pending at = stack.back();
            stack.pop_back();
            if (at.pc < 0) {
                slots[static_cast<std::size_t>(at.slot)] = at.value;
                continue;
            }
            if (list.Contains(at.pc)) continue;
            list.Add(at.pc);
            const RegexInst& inst = prog.insts[at.pc];
            switch (inst.op) {
            case RegexOp::Jump:
                stack.push_back({inst.next, 0, 0});
                break;
            case RegexOp::Split:
                stack.push_back({inst.alt, 0, 0});
                stack.push_back({inst.next, 0, 0});
                break;
            case RegexOp::Assert:
                if (flags & AssertionBit(inst.assertion)) stack.push_back({inst.next, 0, 0});
                break;
            case RegexOp::Save: {
                std::size_t slot = static_cast<std::size_t>(inst.slot);
                if (slot >= slots.size()) {
                    stack.push_back({inst.next, 0, 0});
                    break;
                }
                stack.push_back({-1, inst.slot, slots[slot]});
                slots[slot] = position;
                stack.push_back({inst.next, 0, 0});
                break;
            }
            case RegexOp::Byte:
            case RegexOp::Match:
                list.SetSlots(at.pc, slots);
                break;
            }
        }
    }
};

}  // namespace

bool PikeVmCaptures(const RegexProgram& program, const char* text, std::size_t length, std::size_t start,
                    std::size_t end, CaptureSlots& slots)
{
    if (program.insts.empty() || start > end || end > length) return false;
    CaptureVm vm(program, text, length);
    return vm.Run(start, end, slots);
}
