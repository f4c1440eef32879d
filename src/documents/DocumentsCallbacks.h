// Where the documents must make a higher layer act (the title after a change, the
// editor settings of a new view, the emphasis file of a file type), they call through
// this record, which the application fills at start-up. No include runs upward, and a
// documents test runs without any of the layers above: until a callback is set, calling
// it does nothing.
#pragma once

#include <string>

struct DocumentsCallbacks {
    // Shows the current document's name and flags in the title and status bar.
    void (*refreshTitle)(void* context) = nullptr;
    // Gives a newly made view the appearance the settings ask for.
    void (*applyEditorSettings)(void* context, int view) = nullptr;
    // The emphasis file the settings associate with a file extension (InternalText,
    // without the dot); false when there is none.
    bool (*lookUpFileType)(void* context, const std::string& extension, std::string& emphasisFile) = nullptr;
    // Passed back to every callback: the record of the layer that acts.
    void* context = nullptr;
};

// Each runs its callback when it is set and does nothing otherwise. LookUpFileType
// answers false (no association) while its callback is missing.
void RefreshTitle(const DocumentsCallbacks& callbacks);
void ApplyEditorSettings(const DocumentsCallbacks& callbacks, int view);
bool LookUpFileType(const DocumentsCallbacks& callbacks, const std::string& extension, std::string& emphasisFile);
