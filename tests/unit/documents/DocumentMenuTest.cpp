// The window menu's document list: access keys that leave the menu's own alone, a name's
// '&' kept a character, the current document checked, a long row cut to the menu's size.
#include "FakeWindows.h"

#include "documents/DocumentMenu.h"

namespace {

TEST(DocumentMenu, TextsAndALongRow)
{
    Document named, modified;
    SetPath(named, "C:\\a&b.txt");
    modified.modified = true;
    const std::string untitled = kUntitledName;
    const std::tuple<int, const Document&, const char*, std::string> cases[] = {
        {0, named, "", "&1 a&&b.txt"},      {8, modified, "", "&9 " + untitled + " *"},
        {9, named, "ACLNR", "&B a&&b.txt"}, {12, named, "ACLNR", "&F a&&b.txt"},
        {29, named, "ACLNR", "&Z a&&b.txt"}, {30, named, "ACLNR", "a&&b.txt"},
    };
    for (const auto& [index, document, taken, expected] : cases) EXPECT_EQ(DocumentMenuText(index, document, taken), expected);

    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;
    while (list.tabCount <= kDocumentMenuEntries) ASSERT_GE(AddDocument(list, documents.host), 0);
    SelectSlot(list, documents.host, 1);
    std::vector<DocumentMenuEntry> entries = DocumentMenuEntries(list, "");
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kDocumentMenuEntries));
    EXPECT_TRUE(entries[1].checked && !entries[0].checked && !entries.back().checked);
    EXPECT_EQ(entries.back().text + std::to_string(entries.back().slot), "..." + std::to_string(SlotAtTab(list, 99)));
    SelectSlot(list, documents.host, SlotAtTab(list, 99));
    EXPECT_TRUE(DocumentMenuEntries(list, "").back().checked) << "the current tab is the first one not listed";
}

}  // namespace
