// What the documents need from the windows around them: the editing control's views, the
// tab bar, the main window and the modal questions. The Win32 layer fills this record
// with the real windows; a test fills it with fakes that record what was asked. Every
// member may be left null: a missing view operation does nothing, a missing question
// answers as a user who closes the box would (Cancel, No, no file chosen).
#pragma once

#include <cstdint>
#include <string>

// Buttons a question answers with (the platform's values).
enum QuestionAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// Message box styles the documents use (the platform's values).
enum MessageStyle : unsigned {
    kStyleError = 16,             // OK with the error icon
    kStyleYesNoQuestion = 36,     // Yes, No with the question icon
    kStyleYesNoCancelQuestion = 35,
    kStyleWarning = 48,
    kStyleYesNoWarningDefaultNo = 0x134,  // Yes, No with the warning icon, No the default
};

struct DocumentsHost {
    void* context = nullptr;

    // Views: the view id is the document's slot.
    // Creates the view of slot; false when the control refuses it.
    bool (*createView)(void* context, int slot) = nullptr;
    // Subclasses a newly made view (its own procedure kept in *savedWindowProc), sets its
    // "id" property to the slot and makes it notify the main window.
    void (*attachView)(void* context, int slot, std::uintptr_t* savedWindowProc) = nullptr;
    void (*destroyView)(void* context, int slot) = nullptr;
    // Tells the control how many view ids are in use, before a new highest id is used.
    void (*setViewCount)(void* context, int count) = nullptr;
    void (*showView)(void* context, int slot, bool shown) = nullptr;
    void (*focusView)(void* context, int slot) = nullptr;
    // Replaces the view's text (taking the string) and forgets its undo history; false
    // when memory runs out.
    bool (*setText)(void* context, int slot, std::string&& text) = nullptr;
    // The view's whole text with the line ending of mode (1 CR LF, 2 CR, 3 LF, 4 the
    // text's own); false when memory runs out.
    bool (*getText)(void* context, int slot, int lineEndMode, std::string& text) = nullptr;
    void (*setEditable)(void* context, int slot, bool editable) = nullptr;
    // The text was just written with lineEnding (1 CR LF, 2 CR, 3 LF): from now on it is the
    // view's own.
    void (*setLineEnding)(void* context, int slot, int lineEnding) = nullptr;
    // The view's text was just written to its file: undoing back to it reads as saved.
    void (*markSaved)(void* context, int slot) = nullptr;
    // Replaces the view's whole text by text as one undoable edit, keeping the caret line
    // and the bookmarks of lines that still exist; false when memory runs out.
    bool (*reloadText)(void* context, int slot, std::string&& text) = nullptr;
    // Puts the caret at line and byte column (both from 1, clamped into the text).
    void (*setCaret)(void* context, int slot, int line, int column) = nullptr;
    // The caret's line, from 1.
    int (*caretLine)(void* context, int slot) = nullptr;

    // The main window: lay out the bar and the current view below it (after the current
    // view changed or a view was made), and refresh what shows the current tab.
    void (*layoutMainWindow)(void* context) = nullptr;
    void (*tabChanged)(void* context) = nullptr;
    // Restores the main window when it is not maximised and brings it to the front.
    void (*activateMainWindow)(void* context) = nullptr;

    // The tab bar.
    void (*repaintBar)(void* context) = nullptr;
    void (*rebuildNameTips)(void* context) = nullptr;

    // Questions. showMessage shows string-table message number with style and returns
    // the button; askSaveChanges shows message 1 about the document named name.
    int (*showMessage)(void* context, int number, unsigned style) = nullptr;
    int (*askSaveChanges)(void* context, const std::string& name) = nullptr;
    // Shows message number with its "%s" replaced by names (InternalText).
    int (*showNamedMessage)(void* context, int number, unsigned style, const std::string& names) = nullptr;
    // The file dialogs; true with path (InternalText) set when the user chose a file.
    bool (*chooseOpenFile)(void* context, std::string& path) = nullptr;
    bool (*chooseSaveFile)(void* context, std::string& path) = nullptr;
};

// Runs a host operation when it is set; a missing one does nothing.
template <typename Function, typename... Arguments>
void CallHost(Function function, const DocumentsHost& host, Arguments... arguments)
{
    if (function) function(host.context, arguments...);
}

// The name tooltips and the bar after the tabs changed.
inline void RefreshBar(const DocumentsHost& host)
{
    CallHost(host.rebuildNameTips, host);
    CallHost(host.repaintBar, host);
}

// The status-bar notices the documents show when a file opens.
enum DocumentNotice : int {
    kNoticeMixedLineEndings = 150,  // saving writes one line ending throughout
    kNoticeZeroBytes = 151,
    kNoticeMixedAndZero = 152,
};

// The string-table messages the documents show.
enum DocumentMessage : int {
    kMsgSaveChanges = 1,
    kMsgOutOfMemory = 2,
    kMsgReadFailed = 3,
    kMsgFileNotFound = 4,
    kMsgWriteFailed = 5,
    kMsgConfirmCloseAll = 11,
    kMsgConfirmExit = 12,
    kMsgOpenPathNotHeld = 28,
    kMsgSavePathNotHeld = 29,
    kMsgLoadedLossily = 30,        // the file's text could not be kept whole
    kMsgConfirmLossySave = 31,     // saving it back to the same file would lose data
    kMsgReadOnlySaveAs = 67,       // the file is read-only: save under another name?
    kMsgFileChanged = 70,          // %s: another program changed the file; reload?
    kMsgFileChangedModified = 71,  // %s: the same, and reloading discards the tab's changes
    kMsgFileGone = 72,             // %s: the file was deleted or renamed
    kMsgOverwriteChangedFile = 73, // %s: saving would overwrite another program's change
    kMsgRecentFileGone = 76,       // %s: a recently used file is gone; it leaves the list
    kMsgReopenDiscardsChanges = 80,  // reading the file again in another code loses the changes
    kMsgConfirmUnheldSave = 81,    // the encoding saved in cannot hold every character
};
