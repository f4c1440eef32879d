// The documents subsystem's state: the open documents with their tab order, the windows
// and questions they act through, the layers above they notify, and the settings they
// read at the moment of use. Its functions take this record, so a test builds the
// subsystem around a fresh one with fake windows.
#pragma once

#include "documents/DocumentList.h"
#include "documents/DocumentsCallbacks.h"
#include "documents/DocumentsHost.h"
#include "documents/RecentFiles.h"
#include "documents/RecoveryCopies.h"
#include "documents/SaveFormat.h"

#include "config/ProfileFile.h"

struct DocumentsState {
    DocumentList list;
    DocumentsHost host;
    // What the documents make the layers above them do; set by the application.
    DocumentsCallbacks callbacks;
    // [main], [tab] and [notice] are read here at every open, save and close; null reads
    // every setting as 0.
    ProfileFile* settings = nullptr;
    // The recovery copies of modified documents; a save or a close removes the document's.
    RecoveryCopies recovery;
    // Files opened and saved, newest first; the settings hold them between runs.
    RecentFiles recent;
    // The folder last chosen in the Open or Save As dialog.
    std::string lastDialogFolder;
    // The encoding chosen beside the name in the last Open dialog: an index of
    // kEncodingChoices, or -1 for the list's first entry (recognise).
    int fileDialogEncoding = -1;
    // The Save As dialog of saveSlot's document: set before the dialog opens, and holding
    // the user's choice when it closes on a name.
    SaveOffer saveOffer;
    int saveSlot = -1;
    // A question about files changed by another program is open.
    bool askingAboutChanges = false;
};

// A setting read at the moment of use; 0 without settings or when the key is missing.
inline int ReadSetting(DocumentsState& documents, const char* section, const char* key)
{
    if (documents.settings == nullptr || !SetSection(*documents.settings, section)) return 0;
    return GetInt(*documents.settings, key);
}
