// Saving documents and closing tabs, with every question about unsaved changes.
#pragma once

#include <string>

#include "documents/DocumentsState.h"

// Writes the text of slot's view to path in the line ending of [main] retline and the
// encoding of [main] kanji (with utf16_bom / utf8_bom), through the atomic writer: a
// failed save leaves the old file whole, shows message 5 and keeps the document
// modified. On success the document takes path as its own and is unmodified. A document
// whose text was not loaded whole asks before it is written back over its own file.
bool SaveDocument(DocumentsState& documents, int slot, const std::string& path);

// The encoding chosen in the Save As dialog (an index of kEncodingChoices; -1 keeps the
// document's): from now on the document is saved in it. Choosing the encoding the document
// already has keeps its mark; another UTF one is marked as [main] utf8_bom / utf16_bom say.
void ChooseEncodingForSave(DocumentsState& documents, int slot, int choice);

// Asks for a name (and an encoding), saves under it, then loads the environment of its file type into the
// slot's view. True when a name was chosen and the file written.
bool SaveDocumentAs(DocumentsState& documents, int slot);

// The current document under its own name, or under a name asked for when untitled.
bool SaveCurrent(DocumentsState& documents);

// Every document in slot order, modified or not; untitled ones through the save-as
// dialog. A failure is shown and the others are still saved. Always true.
bool SaveAll(DocumentsState& documents);

// True when slot's document may be closed: unmodified, or the user answered No, or Yes
// and the save succeeded.
bool ConfirmClose(DocumentsState& documents, int slot);

// Closes the current tab after ConfirmClose; the only tab becomes a fresh untitled one.
void CloseCurrentTab(DocumentsState& documents);

// Closes every tab (ask: first message 11 when [notice] OnCloseAll is 1). Nothing is
// closed unless every document may be. One fresh untitled tab remains.
bool CloseAllTabs(DocumentsState& documents, bool ask);

// Whether the program may end: message 12 when [notice] OnEnd is 1, then every document
// closed with its questions, then [main] lapel written as the current document's wrap.
// With [main] session 1 the files open before (in tab order, with caret lines) go to
// [session]; with 0 a session kept earlier is emptied.
bool ConfirmExit(DocumentsState& documents);
