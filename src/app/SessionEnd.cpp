// Windows ending the session and restarting the editor after an update.
#include "app/KelvaraApp.h"
#include "app/MainWindowPlacement.h"
#include "app/Recovery.h"
#include "documents/FileChanges.h"
#include "documents/DocumentMenu.h"
#include "documents/RecentFiles.h"
#include "documents/SaveDocuments.h"
#include "resources/resource.h"

LRESULT QueryEndSession(HWND window, LPARAM flags)
{
    if (flags & (ENDSESSION_CRITICAL | ENDSESSION_CLOSEAPP)) {
        WriteRecoveryCopiesNow(theApp);
        return TRUE;
    }
    ShutdownBlockReasonCreate(window, L"保存されていない文書があるため、確認しています。");
    const bool mayEnd = ConfirmExit(theApp.documents);
    ShutdownBlockReasonDestroy(window);
    if (mayEnd) KeepMainWindowPlacement(window, *theApp.settings);
    return mayEnd ? TRUE : FALSE;
}

void EndSession(KelvaraApp& app, bool ending)
{
    if (ending) WriteRecoveryCopiesNow(app);
}

void RegisterForRestart()
{
    // Only after an update's restart: a crash or a hang gives its documents back through
    // their copies at the user's own next start.
    RegisterApplicationRestart(L"", RESTART_NO_CRASH | RESTART_NO_HANG);
}

int ReloadCommand(void* app, int)
{
    DocumentsState& documents = static_cast<KelvaraApp*>(app)->documents;
    const int slot = documents.list.currentSlot;
    const Document& current = CurrentDocument(documents.list);
    if (current.filePath.empty()) return 0;
    const DocumentsHost& host = documents.host;
    if (current.modified && host.showNamedMessage &&
        host.showNamedMessage(host.context, kMsgFileChangedModified, kStyleYesNoWarningDefaultNo, current.fileName) !=
            kAnswerYes) {
        return 0;
    }
    ReloadDocument(documents, slot, true);
    return 0;
}

int OpenRecentCommand(void* app, int id)
{
    OpenRecentFile(static_cast<KelvaraApp*>(app)->documents, id - IDM_FILE_RECENT_FIRST);
    return 0;
}

int SelectDocumentCommand(void* app, int id)
{
    DocumentsState& documents = static_cast<KelvaraApp*>(app)->documents;
    const std::vector<DocumentMenuEntry> entries = DocumentMenuEntries(documents.list, "");
    const std::size_t index = static_cast<std::size_t>(id - IDM_WINDOW_DOCUMENT_FIRST);
    if (index >= entries.size() || entries[index].slot == documents.list.currentSlot) return 0;
    SelectSlot(documents.list, documents.host, entries[index].slot);
    RefreshBar(documents.host);
    return 0;
}
