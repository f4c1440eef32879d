// A plain-string model of the editing control's text, the oracle of the randomized and
// fuzz tests: character units, CR LF offsets and undo merging written as simply as
// possible, independently of the model.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol::testing {

inline bool Lead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool Trail(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

struct Oracle {
    std::string text;  // '\n' line breaks
    size_t anchor = 0, caret = 0;
    struct Step {
        std::string before, after;
        size_t anchorBefore, caretBefore, anchorAfter, caretAfter;
        int kind;  // 0 none, 1 typing, 2 backspace, 3 delete
    };
    std::vector<Step> steps;
    size_t done = 0;   // steps[0..done) can be undone
    int lastKind = 0;  // kind of the step that may still grow, 0 none
    size_t limit = 256;
    bool editable = true;

    std::vector<bool> Boundaries() const
    {
        std::vector<bool> b(text.size() + 1, false);
        size_t i = 0;
        while (i <= text.size()) {
            b[i] = true;
            if (i == text.size()) break;
            i += i + 1 < text.size() && Lead(text[i]) && Trail(text[i + 1]) ? 2 : 1;
        }
        return b;
    }
    size_t Snap(size_t i) const
    {
        std::vector<bool> b = Boundaries();
        i = std::min(i, text.size());
        while (!b[i]) --i;
        return i;
    }
    int Offset(size_t index) const
    {
        return static_cast<int>(index + std::count(text.begin(), text.begin() + index, '\n') + 1);
    }
    // Walks the text as GetText(CR LF) would write it.
    size_t IndexOfOffset(int offset) const
    {
        long crlfLength = static_cast<long>(text.size() + std::count(text.begin(), text.end(), '\n'));
        long x = std::clamp<long>(offset - 1L, 0, crlfLength);
        long at = 0;
        size_t i = 0;
        while (i < text.size()) {
            long width = text[i] == '\n' ? 2 : 1;
            if (at + width > x) break;
            at += width;
            ++i;
        }
        return Snap(i);
    }
    TextPosition Position(size_t index) const
    {
        int line = 1;
        size_t start = 0;
        for (size_t i = 0; i < index; ++i)
            if (text[i] == '\n') {
                ++line;
                start = i + 1;
            }
        return {line, static_cast<int>(index - start + 1)};
    }
    int Lines() const { return static_cast<int>(std::count(text.begin(), text.end(), '\n') + 1); }

    void Select(size_t a, size_t c)
    {
        anchor = Snap(a);
        caret = Snap(c);
        lastKind = 0;
    }
    bool Replace(size_t start, size_t end, const std::string& with, int kind)
    {
        if (!editable) return false;
        if (start == end && with.empty()) {
            lastKind = 0;
            return true;
        }
        std::string before = text;
        size_t ab = anchor, cb = caret;
        text.replace(start, end - start, with);
        anchor = caret = start + with.size();
        if (!Boundaries()[caret]) anchor = caret = Snap(caret) + 2;  // into a pair: after it
        if (kind != 0 && kind == lastKind && done > 0) {
            steps[done - 1].after = text;
            steps[done - 1].anchorAfter = anchor;
            steps[done - 1].caretAfter = caret;
        } else {
            steps.resize(done);
            steps.push_back({before, text, ab, cb, anchor, caret, kind});
            done = steps.size();
            if (steps.size() > limit) {
                steps.erase(steps.begin());
                --done;
            }
        }
        lastKind = kind;
        return true;
    }
    // Each CR LF and each lone CR as one LF, as the model holds line breaks.
    static std::string Lf(const std::string& raw)
    {
        std::string t;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\r') {
                if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
                t += '\n';
            } else
                t += raw[i];
        }
        return t;
    }
    bool Insert(const std::string& raw)
    {
        std::string t = Lf(raw);
        size_t s = std::min(anchor, caret), e = std::max(anchor, caret);
        bool one = s == e && !t.empty() && t.find('\n') == std::string::npos &&
                   (t.size() == 1 || (t.size() == 2 && Lead(t[0])));
        if (!editable) return false;
        if (!one) lastKind = 0;
        bool r = Replace(s, e, t, one ? 1 : 0);
        if (!one) lastKind = 0;
        return r;
    }
    // A selection is removed as a step of its own.
    bool RemoveSelection()
    {
        lastKind = 0;
        Replace(std::min(anchor, caret), std::max(anchor, caret), "", 0);
        lastKind = 0;
        return true;
    }
    bool Backspace()
    {
        if (!editable) return false;
        if (anchor != caret) return RemoveSelection();
        if (caret == 0) return false;
        size_t prev = text[caret - 1] == '\n' ? caret - 1 : Snap(caret - 1);
        return Replace(prev, caret, "", 2);
    }
    bool Delete()
    {
        if (!editable) return false;
        if (anchor != caret) return RemoveSelection();
        if (caret >= text.size()) return false;
        size_t next = caret + 1;
        if (text[caret] != '\n' && caret + 1 < text.size() && Lead(text[caret]) && Trail(text[caret + 1]))
            next = caret + 2;
        return Replace(caret, next, "", 3);
    }
    bool Undo()
    {
        if (!editable || done == 0) return false;
        Step& s = steps[--done];
        text = s.before;
        anchor = s.anchorBefore;
        caret = s.caretBefore;
        lastKind = 0;
        return true;
    }
    bool Redo()
    {
        if (!editable || done >= steps.size()) return false;
        Step& s = steps[done++];
        text = s.after;
        anchor = s.anchorAfter;
        caret = s.caretAfter;
        lastKind = 0;
        return true;
    }
};

}  // namespace kvte::textcontrol::testing
