// The documents in the main window: their commands, their messages and their start-up.
#include "app/DocumentCommands.h"

#include <cstdio>
#include <string>

#include "app/EmphasisCommands.h"
#include "app/KelvaraApp.h"
#include "app/frame/Title.h"
#include "documents/OpenFile.h"
#include "documents/SaveDocuments.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

DocumentsState& Documents(void* context) { return static_cast<KelvaraApp*>(context)->documents; }

void RefreshTitleCallback(void*) { UpdateTitle(); }

void ShowNoticeCallback(void*, int stringId)
{
    wchar_t text[256];
    if (LoadStringW(theApp.instance, static_cast<UINT>(stringId), text, 256) > 0)
        ShowStatusNotice(theApp.frame.statusBar, text);
}

}  // namespace

int NewDocumentCommand(void* context, int)
{
    NewDocument(Documents(context));
    return 0;
}

int OpenCommand(void* context, int)
{
    ShowOpenDialog(Documents(context));
    return 0;
}

int SaveCommand(void* context, int)
{
    SaveCurrent(Documents(context));
    return 0;
}

int SaveAsCommand(void* context, int)
{
    DocumentsState& documents = Documents(context);
    SaveDocumentAs(documents, documents.list.currentSlot);
    return 0;
}

int SaveAllCommand(void* context, int)
{
    SaveAll(Documents(context));
    return 0;
}

int CloseTabCommand(void* context, int)
{
    CloseCurrentTab(Documents(context));
    return 0;
}

int CloseAllTabsCommand(void* context, int)
{
    CloseAllTabs(Documents(context), true);
    return 0;
}

int NextTabCommand(void* context, int)
{
    DocumentsState& documents = Documents(context);
    SelectNextTab(documents.list, documents.host);
    return 0;
}

int PreviousTabCommand(void* context, int)
{
    DocumentsState& documents = Documents(context);
    SelectPreviousTab(documents.list, documents.host);
    return 0;
}

int CurrentView() { return theApp.documents.list.currentSlot; }

void MarkCurrentModified()
{
    Document& current = CurrentDocument(theApp.documents.list);
    // Undoing or redoing back to the text last saved clears the mark again.
    const bool modified = IsAtSavePoint(CurrentView()) == 0;
    if (current.modified == modified) return;
    current.modified = modified;
    UpdateTitle();
    CallHost(theApp.documents.host.repaintBar, theApp.documents.host);
}

void UpdateTitle()
{
    if (theApp.mainWindow == nullptr) return;
    const Document& current = CurrentDocument(theApp.documents.list);
    SetCommandChecked(theApp.commands, IDM_VIEW_WRAP, current.wrapped);
    ShowDocumentTitle(theApp.mainWindow, theApp.frame.statusBar, current, CurrentView());
}

void UpdateCaretStatus() { ShowCaretStatus(theApp.frame.statusBar, CurrentView()); }

bool CreateDocumentWindows(KelvaraApp& app)
{
    DocumentsState& documents = app.documents;
    documents.list = DocumentList();
    ConnectDocumentWindows(app.documentWindows, documents, app.mainWindow);
    documents.settings = app.settings.get();
    documents.callbacks.context = &app;
    documents.callbacks.refreshTitle = &RefreshTitleCallback;
    documents.callbacks.showNotice = &ShowNoticeCallback;
    ConnectEmphasis(app);

    ProfileFile& settings = *app.settings;
    SetSection(settings, "tab");
    documents.list.tabWidth = GetInt(settings, "width");
    if (!CreateBar(app.tabBar, documents, app.mainWindow, app.instance)) return false;
    ConnectTabBar(app.documentWindows);

    // View 0 is made as every later view is: by the documents' host, then attached.
    const DocumentsHost& host = documents.host;
    CallHost(host.setViewCount, host, 1);
    if (!host.createView(host.context, 0)) return false;
    AttachDocumentView(app.documentWindows, 0);
    ApplyEditorSettings(documents.callbacks, 0);
    SetSection(settings, "main");
    if (GetInt(settings, "lapel") == 1) {
        CurrentDocument(documents.list).wrapped = true;
        SetWrap(0, 1, 0, 1);
    }
    return true;
}

void ReleaseDocumentWindows(KelvaraApp& app)
{
    DocumentList& list = app.documents.list;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        if (GetDocument(list, slot) != nullptr) DestroyView(slot);
    }
    list = DocumentList();
    DestroyBar(app.tabBar);
}
