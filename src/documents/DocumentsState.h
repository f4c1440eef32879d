// The documents subsystem's state: the open documents, one per tab, and the open, save
// and close pipeline will keep theirs here. Its functions take this record as an
// argument, so a test builds the subsystem around a fresh one.
#pragma once

#include "documents/DocumentsCallbacks.h"

struct DocumentsState {
    // What the documents make the layers above them do; set by the application.
    DocumentsCallbacks callbacks;
};
