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

bool LookUpFileType(const DocumentsCallbacks& callbacks, const std::string& extension, std::string& emphasisFile)
{
    if (!callbacks.lookUpFileType) return false;
    return callbacks.lookUpFileType(callbacks.context, extension, emphasisFile);
}
