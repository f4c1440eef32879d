// Opening files into tabs: which tab a file goes into, reading and converting it, and
// the new-document command.
#pragma once

#include <optional>
#include <string>

#include "documents/DocumentsState.h"

// What OpenFile did.
enum OpenResult : int {
    kOpenLoaded = 0,
    kOpenCancelled = 1,     // the user cancelled the question about unsaved changes
    kOpenNoMemory = 2,      // memory or a new tab could not be had, or the file is too large
    kOpenNotOpened = 3,     // the file could not be opened (or the mode is unknown)
    kOpenReadFailed = 4,    // the file could not be read
    kOpenAlreadyOpen = 5,   // its tab was made current; nothing was loaded
};

// Open modes: which setting chooses the tab.
enum OpenMode : int {
    kOpenModeDrop = -1,     // [tab] OnDrag
    kOpenModeNormal = 0,    // [tab] OnOpen
    kOpenModeCloseFirst = 1,   // policy 0: ask about the current tab's changes, load there
    kOpenModeReuseUntitled = 2,  // policy 1: the first reusable tab, else a new one
    kOpenModeNewTab = 3,       // policy 2: always a new tab
};

// The tab policies (values of [tab] OnOpen and OnDrag).
enum OpenPolicy : int { kPolicyCloseFirst = 0, kPolicyReuseUntitled = 1, kPolicyNewTab = 2 };

// Opens path (InternalText, at most 260 bytes) as mode says. A path that is open already
// only makes its tab current (compared byte for byte). With showErrors false nothing is
// shown; the result tells what happened. A tab made for the file stays, empty and
// untitled, when the file then cannot be read. With code (chosen by the user) the file is
// read as code (ChosenCodeForFile) instead of as recognised, and saved in it.
int OpenFile(DocumentsState& documents, const std::string& path, int mode, bool showErrors,
             std::optional<EncodingCode> code = std::nullopt);

// The open dialog, then OpenFile(chosen path, kOpenModeNormal, true) in the encoding
// chosen beside the name (fileDialogEncoding; its first entry recognises).
void ShowOpenDialog(DocumentsState& documents);

// Where the Open and Save As dialogs start: the current document's folder when it has a
// path, else the folder last chosen in either; Save As also suggests the document's name.
struct FileDialogStart {
    std::string folder;
    std::string name;
};
FileDialogStart StartOfFileDialog(const DocumentsState& documents, bool save);
// A path chosen in either dialog: its folder is the next start of an untitled document's.
void NoteDialogChoice(DocumentsState& documents, const std::string& path);

// A fresh untitled document: unless [tab] OnNew is 1, the first reusable tab is taken
// instead of making a new one.
void NewDocument(DocumentsState& documents);
