// Where the documents must make a higher layer act (the title after a change, the
// editor settings of a new view, the emphasis environment of a file type), they call
// through this record, which the application fills at start-up. No include runs upward,
// and a documents test runs without any of the layers above: until a callback is set,
// calling it does nothing.
#pragma once

#include <string>

struct DocumentsCallbacks {
    // Shows the current document's name and flags in the title and status bar.
    void (*refreshTitle)(void* context) = nullptr;
    // Gives a newly made view the appearance the settings ask for.
    void (*applyEditorSettings)(void* context, int view) = nullptr;
    // Loads into view the environment that the settings associate with the extension of
    // path (InternalText), when there is one.
    void (*applyFileType)(void* context, int view, const std::string& path) = nullptr;
    // Shows string-table text stringId in the status bar's notice part.
    void (*showNotice)(void* context, int stringId) = nullptr;
    // Passed back to every callback: the record of the layer that acts.
    void* context = nullptr;
};

// Each runs its callback when it is set and does nothing otherwise.
void RefreshTitle(const DocumentsCallbacks& callbacks);
void ApplyEditorSettings(const DocumentsCallbacks& callbacks, int view);
void ApplyFileType(const DocumentsCallbacks& callbacks, int view, const std::string& path);
void ShowNotice(const DocumentsCallbacks& callbacks, int stringId);
