// The documents' calls into the layers above: nothing happens until the application
// sets a callback; once set, each gets the record it was given and its arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/DocumentsState.h"

namespace {

struct Above {
    int titles = 0;
    std::vector<int> views;
    std::vector<std::string> fileTypes;
};

void CountTitle(void* context) { ++static_cast<Above*>(context)->titles; }
void RememberView(void* context, int view) { static_cast<Above*>(context)->views.push_back(view); }
void RememberFileType(void* context, int view, const std::string& path)
{
    static_cast<Above*>(context)->fileTypes.push_back(std::to_string(view) + ":" + path);
}

TEST(DocumentsCallbacks, UnsetCallbacksDoNothing)
{
    DocumentsState documents;
    RefreshTitle(documents.callbacks);
    ApplyEditorSettings(documents.callbacks, 3);
    ApplyFileType(documents.callbacks, 1, "a.txt");
}

TEST(DocumentsCallbacks, SetCallbacksActOnTheRecordTheyWereGiven)
{
    Above above;
    DocumentsState documents;
    documents.callbacks.refreshTitle = &CountTitle;
    documents.callbacks.applyEditorSettings = &RememberView;
    documents.callbacks.applyFileType = &RememberFileType;
    documents.callbacks.context = &above;
    RefreshTitle(documents.callbacks);
    RefreshTitle(documents.callbacks);
    ApplyEditorSettings(documents.callbacks, 4);
    ApplyFileType(documents.callbacks, 2, "C:\\a.c");
    EXPECT_EQ(above.titles, 2);
    EXPECT_EQ(above.views, std::vector<int>{4});
    EXPECT_EQ(above.fileTypes, std::vector<std::string>{"2:C:\\a.c"});
}

}  // namespace
