// The documents' calls into the layers above, each a no-op until the application sets it.
#include "documents/DocumentsCallbacks.h"

void RefreshTitle(const DocumentsCallbacks& callbacks)
{
    if (callbacks.refreshTitle) callbacks.refreshTitle(callbacks.context);
}

void ApplyEditorSettings(const DocumentsCallbacks& callbacks, int view)
{
    if (callbacks.applyEditorSettings) callbacks.applyEditorSettings(callbacks.context, view);
}

void ShowNotice(const DocumentsCallbacks& callbacks, int stringId)
{
    if (callbacks.showNotice) callbacks.showNotice(callbacks.context, stringId);
}

void ApplyFileType(const DocumentsCallbacks& callbacks, int view, const std::string& path)
{
    if (callbacks.applyFileType) callbacks.applyFileType(callbacks.context, view, path);
}
