// The emphasis subsystem's connection and command rows.
#include "app/EmphasisCommands.h"

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "emphasis/EditorAppearance.h"
#include "emphasis/FileTypeLookup.h"
#include "emphasis/win32/EmphasisWindows.h"
#include "resources/resource.h"

namespace {

EmphasisState& Emphasis(void* context) { return static_cast<KelvaraApp*>(context)->emphasis; }

void ApplySettingsToView(void* context, int view) { ApplyEditorSettings(Emphasis(context), view); }

void ApplyFileTypeToView(void* context, int view, const std::string& path)
{
    ApplyFileType(Emphasis(context), view, path.c_str());
}

}  // namespace

int FontCommand(void* context, int)
{
    ChooseEditorFont(Emphasis(context), CurrentView());
    return 0;
}

void ConnectEmphasis(KelvaraApp& app)
{
    EmphasisState& emphasis = app.emphasis;
    emphasis.settings = app.settings.get();
    emphasis.programFolder = app.programFolder;
    ConnectEmphasisWindows(emphasis, app.mainWindow);
    DocumentsCallbacks& callbacks = app.documents.callbacks;
    callbacks.context = &app;
    callbacks.applyEditorSettings = &ApplySettingsToView;
    callbacks.applyFileType = &ApplyFileTypeToView;
}
