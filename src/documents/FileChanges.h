// Files changed by another program: what the stamp kept by each document says against the
// file on disk, what the user is asked ([main] reload: 0 ask, 1 reload an unchanged tab
// without asking, 2 never), and reloading a document from its file.
#pragma once

#include "documents/DocumentsState.h"
#include "files/FolderAccess.h"

enum class ChangeAction {
    None,
    Reload,        // unchanged tab, reload without asking
    AskReload,     // message 70
    WarnModified,  // message 71: reloading discards the tab's changes (default No)
    ReportGone,    // message 72, once; the tab becomes modified so that closing asks
};

// What to do about a document that kept `kept` when its file now shows `now`. A document
// without a path or without a kept stamp (never read from or written to a file) has
// nothing to compare.
ChangeAction DecideOnChange(bool hasPath, bool modified, const FileStamp& kept, const FileStamp& now, int reloadSetting);

// Checks every document's file (the main window was activated). Each changed file is
// asked about once: its new stamp is taken whatever the answer, so the same change is not
// asked about again, and a check that begins while a question of an earlier check is
// open does nothing. Returns the number of documents reloaded.
int CheckFileChanges(DocumentsState& documents);

// Reads slot's file again in the encoding it was read in and replaces the view's text as
// one undoable step (the view keeps the caret line and the bookmarks of lines that still
// exist). False, with a message when showErrors, when the file could not be read.
bool ReloadDocument(DocumentsState& documents, int slot, bool showErrors);

// Reads slot's file again as code, which the user chose (a UTF code takes the file's mark,
// ChosenCodeForFile), through the same reload: one undoable step, the caret line kept. A
// modified tab asks message 80 first (default No); characters the reading could not keep
// are reported with message 30. From then on the document is saved in that code. False
// when nothing was read.
bool ReopenDocumentAs(DocumentsState& documents, int slot, EncodingCode code);

// True when saving slot's document to path may go on: path is not its own file, or its
// file did not change since it was read or written, or the user answered Yes to message 73.
bool MayOverwriteFile(DocumentsState& documents, int slot, const std::string& path);
