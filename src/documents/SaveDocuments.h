// Saving documents and closing tabs, with every question about unsaved changes.
#pragma once

#include <string>

#include "documents/DocumentsState.h"

// Writes the text of slot's view to path in the document's own encoding and line ending
// when it has chosen them, otherwise those of [main] kanji (with utf16_bom / utf8_bom) and
// retline (SaveFormat.h), through the atomic writer: a
// failed save leaves the old file whole, shows message 5 and keeps the document
// modified. On success the document takes path as its own and is unmodified, and its
// encoding, mark and line ending are those just written. A document
// whose text was not loaded whole asks before it is written back over its own file.
bool SaveDocument(DocumentsState& documents, int slot, const std::string& path);

// [main] kanji, retline, utf16_bom and utf8_bom as they are now.
SaveSettings ReadSaveSettings(DocumentsState& documents);

// Asks for a name with an encoding, mark and line ending (saveOffer, made by OfferSave for
// the dialog to show and change), saves under it with the document taking that choice
// (TakeSaveChoice; a failed save leaves it as it was), then loads the environment of its
// file type into the slot's view. True when a name was chosen and the file written.
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
