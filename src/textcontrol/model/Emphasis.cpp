// Emphasis rules and the line tokenizer (see Emphasis.h).
#include "textcontrol/model/Emphasis.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

namespace {
bool IsWordByte(unsigned char b)
{
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '_';
}

// Whether `text` stands at bytes[i] and ends on a unit boundary of the line (a text that
// ends in a lead byte must not take the first half of the line's next character).
bool MatchesAt(const char* bytes, size_t length, size_t i, const std::string& text)
{
    if (text.size() > length - i || std::memcmp(bytes + i, text.data(), text.size()) != 0) return false;
    size_t end = i + text.size();
    size_t at = i;
    while (at < end) at += SjisUnitLength(bytes, length, at);
    return at == end;
}

// First unit boundary at or after `from` where `text` matches; length when none.
size_t FindFrom(const char* bytes, size_t length, size_t from, const std::string& text)
{
    const char first = text[0];
    for (size_t at = from; at < length; at += SjisUnitLength(bytes, length, at))
        if (bytes[at] == first && MatchesAt(bytes, length, at, text)) return at;
    return length;
}
}  // namespace

EmphasisTable::EmphasisTable() = default;

int EmphasisTable::Add(std::string_view text, std::string_view endText, int kind, uint32_t colour, int number2,
                       int colourNumber, int number4)
{
    if (kind < kEmphasisWord || kind > kEmphasisMultiBetween) return kEmphasisBadKind;
    if (rules_.size() >= kMaxEmphasisRules) return kEmphasisTableFull;
    try {
        EmphasisRule rule;
        rule.text.assign(text.data(), text.size());
        if (kind == kEmphasisLineBetween || kind == kEmphasisMultiBetween)
            rule.endText.assign(endText.data(), endText.size());
        rule.kind = kind;
        rule.colour = colour;
        rule.number2 = number2;
        rule.colourNumber = colourNumber;
        rule.number4 = number4;
        rules_.push_back(std::move(rule));
        if (text.empty()) return kEmphasisAccepted;  // can never match
        uint32_t index = static_cast<uint32_t>(rules_.size() - 1);
        std::vector<uint32_t>& bucket = kind == kEmphasisWord ? wordsByByte_[static_cast<unsigned char>(text[0])]
                                                              : delimitersByByte_[static_cast<unsigned char>(text[0])];
        // Longest first; among equal lengths the earlier rule first.
        auto place = std::find_if(bucket.begin(), bucket.end(),
                                  [&](uint32_t other) { return rules_[other].text.size() < text.size(); });
        bucket.insert(place, index);
        return kEmphasisAccepted;
    } catch (const std::bad_alloc&) {
        if (rules_.size() > 0 && rules_.back().text == text) rules_.pop_back();
        return kEmphasisTableFull;
    }
}

void EmphasisTable::Clear()
{
    rules_.clear();
    for (auto& bucket : delimitersByByte_) bucket.clear();
    for (auto& bucket : wordsByByte_) bucket.clear();
}

EmphasisState EmphasisTable::TokenizeLine(const char* bytes, size_t length, EmphasisState state,
                                          std::vector<ColourRun>* runs) const
{
    auto emit = [&](size_t start, size_t end, const EmphasisRule& rule) {
        if (runs && end > start)
            runs->push_back({static_cast<int>(start), static_cast<int>(end - start), rule.colour, rule.kind});
    };
    size_t i = 0;
    if (state != 0) {
        if (state > rules_.size()) return 0;  // rules changed under a stale state
        const EmphasisRule& rule = rules_[state - 1];
        size_t close = rule.endText.empty() ? length : FindFrom(bytes, length, 0, rule.endText);
        if (close >= length) {
            emit(0, length, rule);
            return rule.endText.empty() ? 0 : state;
        }
        i = close + rule.endText.size();
        emit(0, i, rule);
    }
    // Where the line's text begins, after its indentation: the only place where a rule
    // limited to the line start may match (a line that starts inside a pair has none).
    size_t lineStart = 0;
    while (lineStart < length && (bytes[lineStart] == ' ' || bytes[lineStart] == '\t')) ++lineStart;
    if (state != 0) lineStart = length;
    bool previousIsWordByte = false;
    while (i < length) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        bool matched = false;
        for (uint32_t index : delimitersByByte_[b]) {
            const EmphasisRule& rule = rules_[index];
            if (!MatchesAt(bytes, length, i, rule.text)) continue;
            if (rule.kind == kEmphasisLineAfter && rule.number2 == kEmphasisAtLineStart && i != lineStart) continue;
            size_t after = i + rule.text.size();
            if (rule.kind == kEmphasisLineAfter) {
                emit(i, length, rule);
                return 0;
            }
            size_t close = rule.endText.empty() ? length : FindFrom(bytes, length, after, rule.endText);
            if (close >= length) {
                emit(i, length, rule);
                // An empty end text closes the pair at the end of its line.
                return rule.kind == kEmphasisMultiBetween && !rule.endText.empty()
                           ? static_cast<EmphasisState>(index + 1)
                           : 0;
            }
            emit(i, close + rule.endText.size(), rule);
            i = close + rule.endText.size();
            matched = true;
            previousIsWordByte = false;
            break;
        }
        if (matched) continue;
        if (!wordsByByte_[b].empty()) {
            for (uint32_t index : wordsByByte_[b]) {
                const EmphasisRule& rule = rules_[index];
                if (previousIsWordByte && IsWordByte(static_cast<unsigned char>(rule.text.front()))) break;
                if (!MatchesAt(bytes, length, i, rule.text)) continue;
                size_t after = i + rule.text.size();
                if (after < length && IsWordByte(static_cast<unsigned char>(rule.text.back())) &&
                    IsWordByte(static_cast<unsigned char>(bytes[after])))
                    continue;
                emit(i, after, rule);
                i = after;
                matched = true;
                previousIsWordByte = IsWordByte(static_cast<unsigned char>(rule.text.back()));
                break;
            }
            if (matched) continue;
        }
        size_t unit = SjisUnitLength(bytes, length, i);
        previousIsWordByte = unit == 1 && IsWordByte(b);
        i += unit;
    }
    return 0;
}

}  // namespace kvte::textcontrol
