// Compiles a RegexNode tree into a RegexProgram (Thompson construction over symbols),
// forwards or for reading backwards.
#include <cstring>
#include <functional>
#include <map>

#include "regex/RegexProgram.h"
#include "regex/SjisChar.h"

namespace {

bool BitsetLess(const std::bitset<256>& a, const std::bitset<256>& b)
{
    // Any strict total order will do for the maps below; the object bytes give a fast one.
    return std::memcmp(&a, &b, sizeof a) < 0;
}

const std::bitset<256>& ValidTrails()
{
    static std::bitset<256> const trails = [] {
        std::bitset<256> bits;
        for (int b = 0; b < 256; ++b) bits[b] = sjis::IsTrailByte(static_cast<unsigned char>(b));
        return bits;
    }();
    return trails;
}

// A fragment under construction: entry instruction and the list of dangling exits that
// must be patched to whatever comes next (encoded as inst*2 + 0 for next, + 1 for alt).
struct Fragment {
    int entry = -1;
    std::vector<int> exits;
};

class Compiler {
public:
    Compiler(RegexProgram& program, bool reversed, bool captures)
        : prog(program), reversed(reversed), captures(captures)
    {
    }

    bool Run(const RegexNode& node)
    {
        Fragment body = Compile(node);
        if (tooLarge) return false;
        int match = Emit(RegexOp::Match);
        Patch(body, match);
        prog.start = body.entry;
        prog.reversed = reversed;
        return !tooLarge;
    }

private:
    RegexProgram& prog;
    bool reversed;
    bool captures;
    bool tooLarge = false;
    std::map<std::bitset<256>, int, bool (*)(const std::bitset<256>&, const std::bitset<256>&)> setIndex{BitsetLess};

    int Emit(RegexOp op)
    {
        if (prog.insts.size() >= kMaxProgramSize) {
            tooLarge = true;
            return 0;
        }
        RegexInst inst;
        inst.op = op;
        prog.insts.push_back(inst);
        return static_cast<int>(prog.insts.size() - 1);
    }

    int SetIndex(const std::bitset<256>& bits)
    {
        auto it = setIndex.find(bits);
        if (it != setIndex.end()) return it->second;
        prog.sets.push_back(bits);
        int index = static_cast<int>(prog.sets.size() - 1);
        setIndex.emplace(bits, index);
        return index;
    }

    void Patch(const Fragment& fragment, int target)
    {
        if (tooLarge) return;
        for (int exit : fragment.exits) {
            RegexInst& inst = prog.insts[exit / 2];
            (exit % 2 ? inst.alt : inst.next) = target;
        }
    }

    Fragment EmptyFragment()
    {
        Fragment f;
        f.entry = Emit(RegexOp::Jump);
        f.exits = {f.entry * 2};
        return f;
    }

    Fragment ByteInst(SymbolKind kind, const std::bitset<256>& bits)
    {
        Fragment f;
        f.entry = Emit(RegexOp::Byte);
        if (tooLarge) return f;
        prog.insts[f.entry].kind = kind;
        prog.insts[f.entry].set = SetIndex(bits);
        f.exits = {f.entry * 2};
        return f;
    }

    Fragment SaveInst(int slot)
    {
        Fragment f;
        f.entry = Emit(RegexOp::Save);
        if (tooLarge) return f;
        prog.insts[f.entry].slot = slot;
        f.exits = {f.entry * 2};
        return f;
    }

    // A choice between fragments, the first preferred: split(first, split(second, ...)).
    Fragment Choice(std::vector<Fragment> options)
    {
        if (options.empty()) {
            // A class without any character: a Byte instruction with an empty set never matches.
            return ByteInst(SymbolKind::Single, std::bitset<256>());
        }
        Fragment result = options.back();
        for (std::size_t i = options.size() - 1; i-- > 0;) {
            int split = Emit(RegexOp::Split);
            if (tooLarge) return result;
            prog.insts[split].next = options[i].entry;
            prog.insts[split].alt = result.entry;
            Fragment combined;
            combined.entry = split;
            combined.exits = options[i].exits;
            combined.exits.insert(combined.exits.end(), result.exits.begin(), result.exits.end());
            result = std::move(combined);
        }
        return result;
    }

    Fragment CompileChars(const CharSet& set)
    {
        std::bitset<256> singles;
        std::map<unsigned, std::bitset<256>> trailsByLead;
        for (CodeRange range : set.ranges) {
            if (range.low < 0x100) {
                std::uint32_t last = std::min<std::uint32_t>(range.high, 0xFF);
                std::bitset<256> span;
                span.set();
                singles |= (span >> (255 - (last - range.low))) << range.low;
            }
            std::uint32_t low = std::max<std::uint32_t>(range.low, 0x100);
            for (std::uint32_t lead = low >> 8; lead <= (range.high >> 8) && low <= range.high; ++lead) {
                if (!sjis::IsLeadByte(static_cast<unsigned char>(lead))) continue;
                std::uint32_t first = std::max(low, lead << 8) & 0xFF;
                std::uint32_t last = std::min(range.high, (lead << 8) | 0xFF) & 0xFF;
                std::bitset<256> span;
                span.set();
                span = (span >> (255 - (last - first))) << first;
                trailsByLead[lead] |= span & ValidTrails();
            }
        }
        // Leads that accept the same trails share one branch.
        std::map<std::bitset<256>, std::bitset<256>, bool (*)(const std::bitset<256>&, const std::bitset<256>&)>
            leadsByTrails(setIndex.key_comp());
        for (const auto& [lead, trails] : trailsByLead) {
            if (trails.any()) leadsByTrails[trails].set(lead);
        }
        std::vector<Fragment> options;
        if (singles.any()) options.push_back(ByteInst(SymbolKind::Single, singles));
        for (const auto& [trails, leads] : leadsByTrails) {
            Fragment first = reversed ? ByteInst(SymbolKind::Trail, trails) : ByteInst(SymbolKind::Lead, leads);
            Fragment second = reversed ? ByteInst(SymbolKind::Lead, leads) : ByteInst(SymbolKind::Trail, trails);
            Patch(first, second.entry);
            options.push_back({first.entry, second.exits});
        }
        return Choice(std::move(options));
    }

    Fragment Sequence(std::vector<Fragment> parts)
    {
        if (parts.empty()) return EmptyFragment();
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) Patch(parts[i], parts[i + 1].entry);
        return {parts.front().entry, parts.back().exits};
    }

    // x*: L: split(body, exit); body -> L.  Lazy: the exit preferred.
    Fragment Star(const RegexNode& body, bool greedy)
    {
        int split = Emit(RegexOp::Split);
        Fragment inner = Compile(body);
        if (tooLarge) return {};
        Patch(inner, split);
        Fragment f;
        f.entry = split;
        if (greedy) {
            prog.insts[split].next = inner.entry;
            f.exits = {split * 2 + 1};
        } else {
            prog.insts[split].alt = inner.entry;
            f.exits = {split * 2};
        }
        return f;
    }

    // x?: split(body, exit) with the preference of greedy.
    Fragment Optional(Fragment inner, bool greedy)
    {
        int split = Emit(RegexOp::Split);
        if (tooLarge) return inner;
        Fragment f;
        f.entry = split;
        f.exits = inner.exits;
        if (greedy) {
            prog.insts[split].next = inner.entry;
            f.exits.push_back(split * 2 + 1);
        } else {
            prog.insts[split].alt = inner.entry;
            f.exits.push_back(split * 2);
        }
        return f;
    }

    Fragment Repeat(const RegexNode& node)
    {
        const RegexNode& body = *node.children[0];
        std::vector<Fragment> parts;
        for (int i = 0; i < node.min && !tooLarge; ++i) parts.push_back(Compile(body));
        if (node.max < 0) {
            parts.push_back(Star(body, node.greedy));
        } else if (node.max > node.min) {
            // (x(x(x)?)?)?: each optional copy nested in the previous one.
            Fragment tail;
            bool haveTail = false;
            for (int i = node.max - node.min; i > 0 && !tooLarge; --i) {
                Fragment copy = Compile(body);
                if (haveTail) {
                    Patch(copy, tail.entry);
                    copy.exits = tail.exits;
                }
                tail = Optional(std::move(copy), node.greedy);
                haveTail = true;
            }
            if (haveTail) parts.push_back(std::move(tail));
        }
        if (tooLarge) return {};
        return Sequence(std::move(parts));
    }

    Fragment Compile(const RegexNode& node)
    {
        if (tooLarge) return {};
        switch (node.type) {
        case RegexNodeType::Empty:
            return EmptyFragment();
        case RegexNodeType::Chars:
            return CompileChars(node.chars);
        case RegexNodeType::Assert: {
            Fragment f;
            f.entry = Emit(RegexOp::Assert);
            if (tooLarge) return f;
            prog.insts[f.entry].assertion = node.assertion;
            if (node.assertion == RegexAssertion::WordBoundary || node.assertion == RegexAssertion::NotWordBoundary)
                prog.usesWordBoundary = true;
            f.exits = {f.entry * 2};
            return f;
        }
        case RegexNodeType::Concat: {
            std::vector<Fragment> parts;
            std::size_t count = node.children.size();
            for (std::size_t i = 0; i < count && !tooLarge; ++i)
                parts.push_back(Compile(*node.children[reversed ? count - 1 - i : i]));
            if (tooLarge) return {};
            return Sequence(std::move(parts));
        }
        case RegexNodeType::Alternate: {
            // Preference matters here: split(first, rest) all the way down.
            std::vector<Fragment> options;
            for (const auto& child : node.children) {
                if (tooLarge) return {};
                options.push_back(Compile(*child));
            }
            if (tooLarge) return {};
            return Choice(std::move(options));
        }
        case RegexNodeType::Repeat:
            return Repeat(node);
        case RegexNodeType::Capture:
            if (!captures || node.group > kMaxReportedGroup) return Compile(*node.children[0]);
            return Sequence({SaveInst(2 * node.group), Compile(*node.children[0]), SaveInst(2 * node.group + 1)});
        }
        return EmptyFragment();
    }
};

void AppendCode(std::string& out, std::uint32_t code)
{
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

// The bytes that every match begins with: the leading single-code characters. Stops
// before a lone lead byte, whose meaning depends on the byte after it. whole tells
// whether that prefix is the entire pattern.
std::string LiteralPrefix(const RegexNode& node, bool& whole)
{
    std::string prefix;
    std::size_t taken = 0;
    // A group around characters does not change what is matched: "(abc)" is a literal too.
    std::vector<const RegexNode*> items;
    std::function<void(const RegexNode&)> flatten = [&](const RegexNode& part) {
        if (part.type == RegexNodeType::Capture) {
            flatten(*part.children[0]);
        } else if (part.type == RegexNodeType::Concat) {
            for (const auto& child : part.children) flatten(*child);
        } else {
            items.push_back(&part);
        }
    };
    flatten(node);
    for (const RegexNode* item : items) {
        std::uint32_t code;
        if (item->type != RegexNodeType::Chars || !CharSetSingleCode(item->chars, code)) break;
        if (code <= 0xFF && sjis::IsLeadByte(static_cast<unsigned char>(code))) break;
        if (code > 0xFF && !(sjis::IsLeadByte(static_cast<unsigned char>(code >> 8)) &&
                             sjis::IsTrailByte(static_cast<unsigned char>(code & 0xFF))))
            break;
        AppendCode(prefix, code);
        ++taken;
    }
    whole = !prefix.empty() && taken == items.size();
    return prefix;
}

}  // namespace

bool CompileRegex(const RegexNode& node, bool reversed, RegexProgram& program, bool captures)
{
    program = RegexProgram();
    Compiler compiler(program, reversed, captures && !reversed);
    if (!compiler.Run(node)) {
        program = RegexProgram();
        return false;
    }
    if (!reversed) program.literalPrefix = LiteralPrefix(node, program.wholeLiteral);
    return true;
}
