// The open documents as the entries of a menu, in tab order, so that any tab of a long
// row can be reached from the keyboard. At most kDocumentMenuEntries entries: with more
// documents the first kDocumentMenuEntries - 1 tabs are listed and a last entry "..."
// stands for the tab after them (from where the others are one Next tab away); it is
// checked when the current tab is one of those not listed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "documents/DocumentList.h"

constexpr int kDocumentMenuEntries = 100;

struct DocumentMenuEntry {
    std::string text;  // InternalText with its access key marked by '&'
    int slot = -1;
    bool checked = false;  // the current document
};

// The access key of the entry at index: '1'..'9', then the letters A..Z that are not in
// taken (the keys of the menu's other entries, upper case); 0 beyond them.
char DocumentAccessKey(int index, std::string_view taken);

// "&1 name" (a name's own '&' doubled so that it is not read as an access key), "無題" for
// an untitled document, " *" after the name of a modified one.
std::string DocumentMenuText(int index, const Document& document, std::string_view taken);

// The entries for the documents of list; taken as for DocumentAccessKey.
std::vector<DocumentMenuEntry> DocumentMenuEntries(const DocumentList& list, std::string_view taken);
