// The window menu's document list: access keys that do not clash with the menu's own,
// names whose '&' stays a character, and a long row cut to the menu's size.
#include "FakeWindows.h"

#include "documents/DocumentMenu.h"

namespace {

TEST(DocumentMenu, EntryTexts)
{
    Document named, untitled, modified;
    SetPath(named, "C:\\a&b.txt");
    modified.modified = true;
    struct Case {
        int index;
        const Document& document;
        const char* taken;
        std::string expected;
    } const cases[] = {
        {0, named, "", "&1 a&&b.txt"},
        {8, untitled, "", std::string("&9 ") + kUntitledName},
        {9, named, "ACLNR", "&B a&&b.txt"},
        {12, named, "ACLNR", "&F a&&b.txt"},
        {29, modified, "ACLNR", std::string("&Z ") + kUntitledName + " *"},
        {30, named, "ACLNR", "a&&b.txt"},  // past the keys
        {34, named, "", "&Z a&&b.txt"},
        {35, named, "", "a&&b.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(DocumentMenuText(c.index, c.document, c.taken), c.expected) << c.index;
}

TEST(DocumentMenu, TabOrderCurrentCheckedAndALongRowCut)
{
    DocumentsState documents;
    FakeWindows windows{documents};
    DocumentList& list = documents.list;
    ASSERT_GE(AddDocument(list, documents.host), 0);
    ASSERT_GE(AddDocument(list, documents.host), 0);
    SelectSlot(list, documents.host, 1);
    std::vector<DocumentMenuEntry> entries = DocumentMenuEntries(list, "");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(entries[1].checked && !entries[0].checked && !entries[2].checked);
    EXPECT_EQ(entries[2].slot, 2);

    while (list.tabCount < kDocumentMenuEntries + 1) ASSERT_GE(AddDocument(list, documents.host), 0);
    entries = DocumentMenuEntries(list, "");
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kDocumentMenuEntries));
    EXPECT_EQ(entries.back().text, "...");
    EXPECT_EQ(entries.back().slot, SlotAtTab(list, kDocumentMenuEntries - 1));
    EXPECT_TRUE(entries.back().checked) << "the current tab is the last, beyond the list";
}

}  // namespace
