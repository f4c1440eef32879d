// What find and replace need of the view they search, and of the user: the editing
// control's operations on one view (offsets count bytes from 1 in the text with CR LF line
// ends) and the sounds and messages. The program binds it to the current view of the
// editing control; tests bind it to a text model of their own.
#pragma once

#include <cstddef>

// What a search tells the user beside the sound (in the status bar): nothing found, or a
// match found only after going on from the other end of the text.
enum class SearchNotice { NotFound, WrappedToTop, WrappedToBottom };

struct SearchView {
    void* context = nullptr;

    int (*textLength)(void* context) = nullptr;          // bytes of the CR LF text
    int (*copyText)(void* context, char* buffer) = nullptr;  // CR LF text, terminated; returns its bytes
    int (*caretOffset)(void* context) = nullptr;
    // -1 while text is selected, 0 otherwise; the selection's (or caret's) offsets.
    int (*selectionRange)(void* context, int* start, int* end) = nullptr;
    void (*selectRange)(void* context, int start, int end) = nullptr;
    void (*insertText)(void* context, const char* text) = nullptr;  // in place of the selection
    // Replaces [start, end) by text[0, length) as one edit that one undo takes back; the
    // caret goes after it. False when the view refused it (write-protected, no memory).
    bool (*replaceRange)(void* context, int start, int end, const char* text, std::size_t length) = nullptr;
    void (*moveCaretToTop)(void* context) = nullptr;
    void (*setHighlightText)(void* context, const char* text) = nullptr;  // "" marks nothing
    // Marks count ranges, pairs of offsets (start, end), in place of the highlight text.
    void (*markRanges)(void* context, const int* ranges, int count) = nullptr;

    // The user's side: a sound (-1 the simple beep, 0 the default sound), the message that
    // memory ran out, and a pattern that does not compile (string-table number of the
    // error's text and the 1-based character position where the fault was seen).
    void (*beep)(void* context, int sound) = nullptr;
    void (*reportOutOfMemory)(void* context) = nullptr;
    void (*reportBadPattern)(void* context, int messageNumber, int position) = nullptr;
    // A notice about the search for searchText (InternalText); may be left null.
    void (*notice)(void* context, SearchNotice notice, const char* searchText) = nullptr;
};
