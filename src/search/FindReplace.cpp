// Find next, F3 and Shift+F3, replace and replace all. Every search copies the view's text
// once and gives the engine its length, so a search costs one pass over the text.
#include "search/FindReplace.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "regex/MatchPass.h"
#include "regex/Replacement.h"
#include "regex/SjisChar.h"
#include "search/PatternError.h"

namespace {

// The view's CR LF text, copied for one operation.
struct TextCopy {
    std::unique_ptr<char[]> bytes;
    std::size_t length = 0;
};

// False, with message 2 shown, when memory ran out.
bool CopyViewText(const SearchView& view, TextCopy& copy)
{
    int reported = view.textLength(view.context);
    std::size_t capacity = reported > 0 ? static_cast<std::size_t>(reported) + 1 : 1;
    copy.bytes.reset(new (std::nothrow) char[capacity]);
    if (!copy.bytes) {
        view.reportOutOfMemory(view.context);
        return false;
    }
    copy.bytes[0] = '\0';
    int written = view.copyText(view.context, copy.bytes.get());
    copy.length = written > 0 && static_cast<std::size_t>(written) < capacity ? static_cast<std::size_t>(written) : 0;
    return true;
}

// A pattern the last Read could not compile is reported instead of finding nothing.
bool PatternCompiled(SearchState& state, const SearchView& view)
{
    int error = state.regex->GetError();
    if (error == REGEXP_OK) return true;
    view.reportBadPattern(view.context, PatternErrorMessage(error),
                          PatternErrorPosition(state.text, static_cast<std::size_t>(state.regex->GetErrorOffset())));
    return false;
}

void MarkOccurrences(const SearchState& state, const SearchView& view)
{
    view.setHighlightText(view.context, state.regularExpression ? "" : state.text);
}

using Match = MatchRange;

// Searches the copy from a 0-based position; true with the match found.
bool Search(SearchState& state, const TextCopy& copy, std::size_t from, bool backward, Match& match)
{
    const char* text = copy.bytes.get();
    int at = state.regex->Find(text, copy.length, from, backward);
    if (at >= 0 && !backward && static_cast<std::size_t>(at) == from && state.regex->GetHitLength() == 0)
        at = state.regex->Find(text, copy.length, SjisNextCharOffset(text, copy.length, from), false);
    if (at < 0) return false;
    match.start = static_cast<std::size_t>(at);
    match.end = match.start + state.regex->GetHitLength();
    return true;
}

void SelectMatch(const SearchView& view, const TextCopy& copy, Match match)
{
    match = WholeLineBreaks(copy.bytes.get(), copy.length, match);
    view.selectRange(view.context, static_cast<int>(match.start) + 1, static_cast<int>(match.end) + 1);
}

std::size_t CaretPosition(const SearchView& view)
{
    int caret = view.caretOffset(view.context);
    return static_cast<std::size_t>(std::max(caret - 1, 0));
}

std::size_t SelectionStart(const SearchView& view)
{
    int start = 0;
    view.selectionRange(view.context, &start, nullptr);
    return static_cast<std::size_t>(std::max(start - 1, 0));
}

// Where a search starts: downward from the caret; upward from before the selection, so
// that the match selected now (the caret at its end) is not found again.
std::size_t SearchStart(const SearchView& view, bool backward)
{
    return backward ? SelectionStart(view) : CaretPosition(view);
}

// Selects the next match from `from` (0-based) in the pattern last read; with state.wrap,
// once more from the other end when there is none. Nothing found: the notice, and the
// sound beep when sound is true.
bool SelectNext(SearchState& state, const SearchView& view, bool sound, int beep, std::size_t from, bool backward)
{
    TextCopy copy;
    if (!CopyViewText(view, copy)) return false;
    Match match;
    bool found = Search(state, copy, from, backward, match);
    bool wrapped = false;
    if (!found && state.wrap) {
        wrapped = true;
        found = Search(state, copy, backward ? copy.length + 1 : 0, backward, match);
    }
    if (!found) {
        if (sound) view.beep(view.context, beep);
        if (view.notice) view.notice(view.context, SearchNotice::NotFound, state.text);
        return false;
    }
    SelectMatch(view, copy, match);
    if (wrapped && view.notice)
        view.notice(view.context, backward ? SearchNotice::WrappedToBottom : SearchNotice::WrappedToTop, state.text);
    return true;
}

// Marks, compiles and selects the next match from `from` (0-based) in the direction of
// state.down.
bool FindNextFrom(SearchState& state, const SearchView& view, int beep, std::size_t from)
{
    MarkOccurrences(state, view);
    state.regex->Read(state.text, state.regularExpression, !state.matchCase);
    if (!PatternCompiled(state, view)) return false;
    return SelectNext(state, view, beep != 0, beep, from, !state.down);
}

// F3 and Shift+F3: the pattern is not read again.
bool FindAgain(SearchState& state, const SearchView& view, bool backward)
{
    if (!PatternCompiled(state, view)) return false;
    return SelectNext(state, view, true, 0, SearchStart(view, backward), backward);
}

// The selection's 0-based [start, end) in the copy, false when nothing is selected.
bool SelectedPart(const SearchView& view, const TextCopy& copy, std::size_t& start, std::size_t& end)
{
    int first = 0, last = 0;
    if (view.selectionRange(view.context, &first, &last) != -1 || first < 1 || last < first) return false;
    start = std::min(static_cast<std::size_t>(first - 1), copy.length);
    end = std::min(static_cast<std::size_t>(last - 1), copy.length);
    return true;
}

// The view holds its text with CR LF line ends, whatever the file uses.
constexpr char kViewLineBreak[] = "\r\n";

// What replaces the selection [start, end): with a regular expression, the replacement
// expanded for the match that starts there when it covers the selection exactly, else for
// the selection as a match without groups; otherwise the replacement as it stands.
std::string SelectionReplacement(SearchState& state, const SearchView& view, const char* replacement,
                                 std::size_t start, std::size_t end)
{
    std::string const with = replacement ? replacement : "";
    if (!state.regularExpression) return with;
    TextCopy copy;
    if (!CopyViewText(view, copy)) return with;
    const char* text = copy.bytes.get();
    if (end > copy.length || start > end) return with;
    RegExpGroups groups;
    state.regex->Read(state.text, true, !state.matchCase);
    int at = state.regex->Find(text, copy.length, start, false);
    bool exact = at >= 0 && static_cast<std::size_t>(at) == start &&
                 WholeLineBreaks(text, copy.length, {start, start + state.regex->GetHitLength()}).end == end;
    if (!exact || !state.regex->GetGroups(text, copy.length, groups)) {
        for (int n = 0; n < RegExpGroups::kCount; ++n) groups.start[n] = groups.end[n] = RegExpGroups::kUnmatched;
        groups.start[0] = start;
        groups.end[0] = end;
    }
    std::string out;
    AppendReplacement(with, text, groups, kViewLineBreak, out);
    return out;
}

}  // namespace

bool FindNext(SearchState& state, const SearchView& view, int beep)
{
    return FindNextFrom(state, view, beep, SearchStart(view, !state.down));
}

bool FindNextDown(SearchState& state, const SearchView& view) { return FindAgain(state, view, false); }

bool FindNextUp(SearchState& state, const SearchView& view) { return FindAgain(state, view, true); }

bool ReplaceCurrent(SearchState& state, const SearchView& view, const char* replacement)
{
    // Upward, the search goes on from before the replaced text, never inside it: a
    // replacement that holds the search text would be found and replaced again.
    const std::size_t before = SelectionStart(view);
    int start = 0, end = 0;
    if (view.selectionRange(view.context, &start, &end) == -1) {
        if (!state.regularExpression) {
            view.insertText(view.context, replacement);
        } else if (start >= 1 && end >= start) {
            std::string const with = SelectionReplacement(state, view, replacement, static_cast<std::size_t>(start - 1),
                                                          static_cast<std::size_t>(end - 1));
            view.replaceRange(view.context, start, end, with.data(), with.size());
        }
    }
    return FindNextFrom(state, view, 0, state.down ? CaretPosition(view) : before);
}

int ReplaceAll(SearchState& state, const SearchView& view, const char* replacement, bool inSelection)
{
    if (!inSelection) view.moveCaretToTop(view.context);
    MarkOccurrences(state, view);
    state.regex->Read(state.text, state.regularExpression, !state.matchCase);
    if (!PatternCompiled(state, view)) return -1;
    TextCopy copy;
    if (!CopyViewText(view, copy)) return 0;
    std::size_t partStart = 0, partEnd = copy.length;
    if (inSelection && !SelectedPart(view, copy, partStart, partEnd)) return 0;
    const char* text = copy.bytes.get() + partStart;
    std::string const with = replacement ? replacement : "";

    // The replaced part of the text, from the first match's start to the last one's end.
    std::string replaced;
    std::size_t first = 0, done = 0;
    std::size_t count = 0;
    try {
        count = ReplaceAllMatches(*state.regex, text, partEnd - partStart, with, state.regularExpression,
                                  kViewLineBreak, replaced, first, done);
    } catch (const std::bad_alloc&) {
        view.reportOutOfMemory(view.context);
        return 0;
    }
    if (count == 0) return 0;
    copy.bytes.reset();  // the view needs the memory for the edit more
    first += partStart;
    done += partStart;
    if (!view.replaceRange(view.context, static_cast<int>(first) + 1, static_cast<int>(done) + 1, replaced.data(),
                           replaced.size()))
        return 0;
    if (inSelection) {
        std::size_t const newEnd = partEnd - done + first + replaced.size();
        view.selectRange(view.context, static_cast<int>(partStart) + 1, static_cast<int>(newEnd) + 1);
    }
    return static_cast<int>(count);
}

int MarkAllMatches(SearchState& state, const SearchView& view)
{
    state.regex->Read(state.text, state.regularExpression, !state.matchCase);
    if (!PatternCompiled(state, view)) return -1;
    TextCopy copy;
    if (!CopyViewText(view, copy)) return 0;
    const char* text = copy.bytes.get();
    std::vector<int> ranges;
    std::size_t count = 0;
    try {
        count = VisitAllMatches(*state.regex, text, copy.length, [&](std::size_t start, std::size_t length) {
            Match match = WholeLineBreaks(text, copy.length, {start, start + length});
            if (match.end > match.start) {
                ranges.push_back(static_cast<int>(match.start) + 1);
                ranges.push_back(static_cast<int>(match.end) + 1);
            }
            return true;
        });
    } catch (const std::bad_alloc&) {
        view.reportOutOfMemory(view.context);
        return 0;
    }
    view.markRanges(view.context, ranges.data(), static_cast<int>(ranges.size() / 2));
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

int CountMatches(SearchState& state, const SearchView& view, bool inSelection)
{
    state.regex->Read(state.text, state.regularExpression, !state.matchCase);
    if (!PatternCompiled(state, view)) return -1;
    TextCopy copy;
    if (!CopyViewText(view, copy)) return 0;
    std::size_t partStart = 0, partEnd = copy.length;
    if (inSelection && !SelectedPart(view, copy, partStart, partEnd)) return 0;
    std::size_t count =
        VisitAllMatches(*state.regex, copy.bytes.get() + partStart, partEnd - partStart, [](std::size_t, std::size_t) {
            return true;
        });
    return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

std::string SearchTextFromSelection(std::string_view selected, bool regular)
{
    if (selected.find_first_of("\r\n") != std::string_view::npos) return "";
    std::string text;
    for (std::size_t i = 0; i < selected.size();) {
        std::size_t length = SjisCharLength(selected.data(), selected.size(), i);
        if (regular && length == 1 && std::strchr("\\.[](){}*+?^$|", selected[i]) && selected[i] != '\0')
            text.push_back('\\');
        text.append(selected.data() + i, length);
        i += length;
    }
    return text.size() < sizeof SearchState().text ? text : "";
}
