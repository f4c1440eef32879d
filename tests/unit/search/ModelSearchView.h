// A SearchView over a text model of the editing control, as the program's view binds it:
// the same offsets, CR LF line ends and undo steps, without a window. It records the
// sounds and messages that find and replace give the user.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "search/SearchView.h"
#include "textcontrol/model/TextModel.h"

struct ModelSearchView {
    kvte::textcontrol::TextModel model;
    std::vector<int> beeps;
    std::vector<std::pair<int, int>> badPatterns;  // message number, character position
    std::vector<std::pair<SearchNotice, std::string>> notices;
    std::vector<std::pair<int, int>> marks;  // the last ranges marked
    int highlightCalls = 0;
    SearchView view;

    explicit ModelSearchView(std::string const& text = "")
    {
        model.SetText(text);
        view.context = this;
        view.textLength = [](void* c) { return static_cast<int>(Self(c).model.GetTextLength()); };
        view.copyText = [](void* c, char* buffer) {
            auto& m = Self(c).model;
            return static_cast<int>(m.GetText(buffer, m.GetTextLength() + 1, 1));
        };
        view.caretOffset = [](void* c) { return Self(c).model.GetCaretOffset(); };
        view.selectionRange = [](void* c, int* start, int* end) {
            auto& m = Self(c).model;
            if (start) *start = m.SelectionStartOffset();
            if (end) *end = m.SelectionEndOffset();
            return m.HasSelection() ? -1 : 0;
        };
        view.selectRange = [](void* c, int start, int end) { Self(c).model.SelectRange(start, end); };
        view.insertText = [](void* c, char const* text) { Self(c).Insert(text, std::char_traits<char>::length(text)); };
        view.replaceRange = [](void* c, int start, int end, char const* text, std::size_t length) {
            Self(c).model.SelectRange(start, end);
            return Self(c).Insert(text, length);
        };
        view.moveCaretToTop = [](void* c) { Self(c).model.MoveCaretToTop(); };
        view.setHighlightText = [](void* c, char const* text) {
            Self(c).model.SetHighlightText(text);
            ++Self(c).highlightCalls;
        };
        view.markRanges = [](void* c, int const* ranges, int count) {
            Self(c).marks.clear();
            for (int i = 0; i < count; ++i) Self(c).marks.emplace_back(ranges[2 * i], ranges[2 * i + 1]);
        };
        view.beep = [](void* c, int sound) { Self(c).beeps.push_back(sound); };
        view.reportOutOfMemory = [](void*) {};
        view.reportBadPattern = [](void* c, int number, int position) {
            Self(c).badPatterns.emplace_back(number, position);
        };
        view.notice = [](void* c, SearchNotice notice, char const* text) { Self(c).notices.emplace_back(notice, text); };
    }
    ModelSearchView(ModelSearchView const&) = delete;
    ModelSearchView& operator=(ModelSearchView const&) = delete;

    std::string Text() const { return model.GetText(1); }
    // The selection as 0-based [start, end) in the CR LF text.
    std::pair<int, int> Selection() const { return {model.SelectionStartOffset() - 1, model.SelectionEndOffset() - 1}; }

private:
    static ModelSearchView& Self(void* context) { return *static_cast<ModelSearchView*>(context); }
    // As the control inserts: one undo step of its own.
    bool Insert(char const* text, std::size_t length)
    {
        model.SealUndoStep();
        bool done = model.InsertText(std::string_view(text, length));
        model.SealUndoStep();
        return done;
    }
};
