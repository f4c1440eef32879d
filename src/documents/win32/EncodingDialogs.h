// The user's choice of an encoding: dialog 160 (reopening a file in another encoding) and
// the encoding list that the Open (164) and Save As (165) dialogs gain below their own
// controls.
#pragma once

#include <windows.h>

#include "documents/SaveFormat.h"
#include "documents/win32/DocumentWindows.h"
#include "platform/ModalUi.h"

// Dialog 160 with current (an index of kEncodingChoices) selected: the index chosen, or -1
// when cancelled.
int ChooseEncoding(HINSTANCE instance, HWND owner, int current);

// Dialog 160 for the current document (which must have a file), then ReopenDocumentAs.
void ReopenCurrentInChosenEncoding(DocumentWindows& windows, HINSTANCE instance);

// Gives an Open or Save As request the encoding list: its first entry ("自動判別" when
// opening, "そのまま" when saving) stands for -1, the others for kEncodingChoices. *choice
// is selected when the dialog opens and receives the entry chosen when a file is. With an
// offer, the Save As dialog also has the mark box and the line-ending list, shown as the
// offer says and left in it when a file is chosen (SaveFormat.h); viewLineEnding is what
// "そのまま" writes when the offer leaves the line ending to the view (1 CR LF, 2 CR, 3 LF).
struct FileDialogEncoding {
    bool save = false;
    int choice = -1;
    SaveOffer* offer = nullptr;
    int viewLineEnding = 1;
};
void ExtendFileDialog(FileDialogRequest& request, FileDialogEncoding& encoding);
