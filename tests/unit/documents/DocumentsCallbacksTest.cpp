// The documents' calls into the layers above: nothing happens (and no file type is
// found) until the application sets a callback; once set, each gets the record it was
// given and its arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/DocumentsState.h"

namespace {

struct Above {
    int titles = 0;
    std::vector<int> views;
};

void CountTitle(void* context) { ++static_cast<Above*>(context)->titles; }
void RememberView(void* context, int view) { static_cast<Above*>(context)->views.push_back(view); }
bool TextFiles(void*, const std::string& extension, std::string& emphasisFile)
{
    if (extension != "txt") return false;
    emphasisFile = "text.esf";
    return true;
}

TEST(DocumentsCallbacks, UnsetCallbacksDoNothing)
{
    DocumentsState documents;
    RefreshTitle(documents.callbacks);
    ApplyEditorSettings(documents.callbacks, 3);
    std::string file = "unchanged";
    EXPECT_FALSE(LookUpFileType(documents.callbacks, "txt", file));
    EXPECT_EQ(file, "unchanged");
}

TEST(DocumentsCallbacks, SetCallbacksActOnTheRecordTheyWereGiven)
{
    Above above;
    DocumentsState documents;
    documents.callbacks.refreshTitle = &CountTitle;
    documents.callbacks.applyEditorSettings = &RememberView;
    documents.callbacks.lookUpFileType = &TextFiles;
    documents.callbacks.context = &above;
    RefreshTitle(documents.callbacks);
    RefreshTitle(documents.callbacks);
    ApplyEditorSettings(documents.callbacks, 4);
    std::string file;
    EXPECT_TRUE(LookUpFileType(documents.callbacks, "txt", file));
    EXPECT_EQ(file, "text.esf");
    EXPECT_FALSE(LookUpFileType(documents.callbacks, "c", file));
    EXPECT_EQ(above.titles, 2);
    EXPECT_EQ(above.views, std::vector<int>{4});
}

}  // namespace
