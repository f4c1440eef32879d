// The options command (40023) and the options dialog's place in start-up: the host record
// that the pages reach, and the re-applying of every setting to what is open after OK.
#include "app/OptionsCommand.h"

#include "app/DocumentCommands.h"
#include "app/Help.h"
#include "app/KelvaraApp.h"
#include "app/frame/Menus.h"
#include "documents/win32/TabBar.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "tools/win32/ToolsPage.h"

namespace {

// Everything already open takes the stored settings: the views, the tab bar, the menus
// with the tool list, and the checked entries of the rebuilt menus.
void ReapplySettings(KelvaraApp& app)
{
    DocumentList& list = app.documents.list;
    for (int slot = 0; slot < static_cast<int>(list.slots.size()); ++slot) {
        if (GetDocument(list, slot)) ApplyEditorSettings(app.documents.callbacks, slot);
    }
    RedrawView(CurrentView());
    if (app.tabBar.barWindow) {
        RebuildNameTips(app.tabBar);
        RepaintBar(app.tabBar);
    }
    ProfileFile& settings = *app.settings;
    if (!BuildMenus(app.frame, app.instance, settings)) {
        ShowMessage(app.mainWindow, IDS_MSG_OUT_OF_MEMORY, MB_ICONERROR);
        return;
    }
    SetMenu(app.mainWindow, app.frame.mainMenu);
    SetSection(settings, "indication");
    SetCommandChecked(app.commands, IDM_VIEW_TOOLBAR, GetInt(settings, "toolbar") == 1);
    SetCommandChecked(app.commands, IDM_VIEW_STATUSBAR, GetInt(settings, "statusbar") == 1);
    UpdateTitle();
}

// What the pages chose reaches the tab bar and the editor keys for this session, even when
// "kvte.ini" could not be written.
void TakeChoices(KelvaraApp& app, const OptionsChoices& chosen)
{
    if (chosen.tabBarWidth) app.documents.list.tabWidth = *chosen.tabBarWidth;
    if (chosen.autoIndent) app.autoIndent = *chosen.autoIndent != 0;
    if (chosen.vsHome) app.vsHome = *chosen.vsHome != 0;
}

}  // namespace

int OptionsCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    if (ShowOptionsDialog(app.options.dialog, app.instance, app.mainWindow) != 1) return 0;
    TakeChoices(app, app.options.dialog.chosen);
    ReapplySettings(app);
    return 0;
}

bool PrepareOptionPages(KelvaraApp& app)
{
    OptionsHost& host = app.options.dialog.host;
    host.settings = app.settings.get();
    host.programFolder = app.programFolder;
    host.showHelpPage = &ShowHelpPage;
    app.options.dialog.toolsPage = &ToolsPageProc;
    return RegisterOptionPages(app.options.dialog);
}
