// Find next, find downward and upward (F3, Shift+F3), replace and replace all on one view,
// through the search state's one regular-expression object.
//
// A match is selected whole: when it ends between the CR and the LF of a line break its
// end moves past the LF (and a start on such an LF moves to the CR), because the view
// counts CR LF as one place and would otherwise select less than the match, or nothing.
// A downward search that finds an empty match at the caret itself looks one character
// further, so that repeated searches move on.
#pragma once

#include <string>
#include <string_view>

#include "search/SearchState.h"
#include "search/SearchView.h"

// Marks the search text in the view (nothing for a regular expression), compiles it, and
// selects the next match from the caret in the direction of state.down. With state.wrap a
// search that finds nothing goes on once from the other end of the text, and a match found
// so is noticed (WrappedToTop, WrappedToBottom); nothing found at all is noticed
// (NotFound) as well as sounded. beep: the sound when nothing is found, -1 the simple
// beep, 0 none. A pattern that does not compile is
// reported and searches nothing. True when a match was selected.
bool FindNext(SearchState& state, const SearchView& view, int beep);

// The search text a dialog starts with for the selected text: the selection itself, with
// "\" before every character that a regular expression would read as an operator when
// regular is true; "" when it holds a line break or would not fit the search text.
std::string SearchTextFromSelection(std::string_view selected, bool regular);

// F3 and Shift+F3 with the pattern the last FindNext compiled (the marking is left as it
// is); downward from the caret, upward from before the selection. Nothing found: the
// default sound. The caller opens the find dialog instead when the search text is empty.
bool FindNextDown(SearchState& state, const SearchView& view);
bool FindNextUp(SearchState& state, const SearchView& view);

// Replacements with the regular-expression box ticked are expanded for each match as
// regex/Replacement.h describes (\n gives CR LF, the view's line break); without it they
// are put in as they stand.

// Puts replacement in place of the selection, when there is one, then finds the next
// match without a sound.
bool ReplaceCurrent(SearchState& state, const SearchView& view, const char* replacement);

// Replaces every match of the search text from the top in one pass over the text as it
// was (see regex/MatchPass.h), as one edit that one undo takes back; the caret ends after
// the last replacement, or at the top when there was none. Returns the number of matches
// replaced; -1 when the pattern does not compile (reported). When memory runs out that
// is reported and 0 returned, the text unchanged.
// inSelection: only the selected text is searched, as a text of its own (its ends are the
// ends of the text for ^, $, \A, \z and \b), and afterwards the selection covers the
// result; with nothing selected nothing is replaced.
int ReplaceAll(SearchState& state, const SearchView& view, const char* replacement, bool inSelection = false);

// Marks every match that replace all would replace (empty ones give nothing to see), in
// place of the search text's marking. Returns the number of matches; -1 when the pattern
// does not compile (reported).
int MarkAllMatches(SearchState& state, const SearchView& view);

// The number of matches replace all would replace (inSelection as there); -1 when the
// pattern does not compile (reported). The view is left as it was.
int CountMatches(SearchState& state, const SearchView& view, bool inSelection = false);
