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

template <void (*Operation)(DocumentsState&)>
int Run(void* context, int)
{
    Operation(Documents(context));
    return 0;
}

void Save(DocumentsState& documents) { SaveCurrent(documents); }
void SaveAsCurrent(DocumentsState& documents) { SaveDocumentAs(documents, documents.list.currentSlot); }
void SaveEvery(DocumentsState& documents) { SaveAll(documents); }
void CloseAll(DocumentsState& documents) { CloseAllTabs(documents, true); }
void Next(DocumentsState& documents) { SelectNextTab(documents.list, documents.host); }
void Previous(DocumentsState& documents) { SelectPreviousTab(documents.list, documents.host); }

struct Row {
    int id;
    CommandHandler handler;
};

constexpr Row kRows[] = {
    {IDM_FILE_NEW, &Run<&NewDocument>},
    {IDM_FILE_OPEN, &Run<&ShowOpenDialog>},
    {IDM_FILE_SAVE, &Run<&Save>},
    {IDM_FILE_SAVE_AS, &Run<&SaveAsCurrent>},
    {IDM_FILE_SAVE_ALL, &Run<&SaveEvery>},
    {IDM_WINDOW_CLOSE_TAB, &Run<&CloseCurrentTab>},
    {IDM_WINDOW_CLOSE_ALL_TABS, &Run<&CloseAll>},
    {IDM_WINDOW_NEXT_TAB, &Run<&Next>},
    {IDM_WINDOW_PREVIOUS_TAB, &Run<&Previous>},
};

void RefreshTitleCallback(void*) { UpdateTitle(); }

}  // namespace

bool RegisterDocumentCommands(KelvaraApp& app)
{
    for (const Row& row : kRows) {
        if (!RegisterCommand(app.commands, row.id, row.handler, &app)) return false;
    }
    return true;
}

int CurrentView() { return theApp.documents.list.currentSlot; }

void MarkCurrentModified()
{
    Document& current = CurrentDocument(theApp.documents.list);
    if (current.modified) return;
    current.modified = true;
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
