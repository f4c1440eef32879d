// The document list of the window menu.
#include "documents/DocumentMenu.h"

#include <new>

char DocumentAccessKey(int index, std::string_view taken)
{
    if (index < 0) return 0;
    if (index < 9) return static_cast<char>('1' + index);
    int letters = index - 9;
    for (char key = 'A'; key <= 'Z'; ++key) {
        if (taken.find(key) != std::string_view::npos) continue;
        if (letters-- == 0) return key;
    }
    return 0;
}

std::string DocumentMenuText(int index, const Document& document, std::string_view taken)
{
    std::string text;
    if (const char key = DocumentAccessKey(index, taken)) {
        text += '&';
        text += key;
        text += ' ';
    }
    const std::string_view name = document.fileName.empty() ? std::string_view(kUntitledName) : document.fileName;
    for (char c : name) {
        if (c == '&') text += '&';
        text += c;
    }
    if (document.modified) text += " *";
    return text;
}

std::vector<DocumentMenuEntry> DocumentMenuEntries(const DocumentList& list, std::string_view taken)
{
    std::vector<DocumentMenuEntry> entries;
    const bool cut = list.tabCount > kDocumentMenuEntries;
    const int listed = cut ? kDocumentMenuEntries - 1 : list.tabCount;
    try {
        for (int position = 0; position < listed; ++position) {
            const int slot = SlotAtTab(list, position);
            const Document* document = GetDocument(list, slot);
            if (document == nullptr) continue;
            entries.push_back({DocumentMenuText(position, *document, taken), slot, slot == list.currentSlot});
        }
        if (cut) entries.push_back({"...", SlotAtTab(list, listed), list.currentTab >= listed});
    } catch (const std::bad_alloc&) {
        // A shorter list is still a list.
    }
    return entries;
}
