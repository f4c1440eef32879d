// Find in files: dialog 161, the results tab, the worker's news and the jump to a result.
// The results tab is write-protected and never modified (the lines are added with the
// view's reports turned off), so closing it asks nothing and no recovery copy is made;
// it is untitled and stays out of the way of a file opened later (not reusable).
#include "app/FindInFiles.h"

#include <cwchar>
#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "app/frame/StatusBar.h"
#include "documents/OpenFile.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "search/FileSearchResults.h"
#include "search/PatternError.h"
#include "search/win32/ControlSearchView.h"
#include "search/win32/SearchDialogs.h"
#include "textcontrol/win32/EditControl.h"

namespace {

void ShowNotice(void* context, const wchar_t* text)
{
    ShowStatusNotice(static_cast<KelvaraApp*>(context)->frame.statusBar, text);
}

// A string-table text formatted with swprintf's arguments.
template <typename... Args>
std::wstring Format(int number, Args... args)
{
    wchar_t format[512];
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), format, 512) <= 0) format[0] = L'\0';
    std::wstring text(4096, L'\0');
    const int written = std::swprintf(&text[0], text.size(), format, args...);
    text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return text;
}

// Adds text at the end of the results view, the user's caret or selection kept. The view's
// reports are off meanwhile: the document never reads as modified.
void AppendResults(int view, const std::string& text)
{
    int start = 0, end = 0;
    if (GetSelectionRange(view, &start, &end) == 0) start = end = GetCaretOffset(view);
    const int length = GetTextLength(view);
    SetOption(view, OPTION_NOTIFY_PARENT, 0, 0);
    SetEditable(view, 1);
    SelectRange(view, length + 1, length + 1);
    InsertText(view, text.c_str());
    SetEditable(view, 0);
    SelectRange(view, start, end);
    SetOption(view, OPTION_NOTIFY_PARENT, 1, 0);
}

// The results tab's slot, or -1 when it was closed.
int ResultsSlot(KelvaraApp& app)
{
    FindInFilesTab& tab = app.findInFiles;
    if (tab.slot < 0 || GetDocument(app.documents.list, tab.slot) != tab.document) return -1;
    return tab.slot;
}

// The dialog's text became the current search: it is compiled as F3 and Shift+F3 use it,
// so that they find the next match in a file opened from the results.
bool PatternCompiles(KelvaraApp& app, const FileSearchRequest& request)
{
    CKRegExp& regex = *app.search.regex;
    regex.Read(request.pattern.c_str(), request.regularExpression, request.ignoreCase);
    if (regex.GetError() == REGEXP_OK) return true;
    ControlBinding binding{CurrentView(), app.mainWindow, &ShowNotice, &app};
    SearchView view = MakeControlSearchView(binding);
    view.reportBadPattern(view.context, PatternErrorMessage(regex.GetError()),
                          PatternErrorPosition(request.pattern.c_str(), static_cast<std::size_t>(regex.GetErrorOffset())));
    return false;
}

void OpenResultAtCaret(KelvaraApp& app, int view)
{
    const int line = GetCaretLine(view);
    const char* bytes = GetLineText(view, line);
    ResultPlace place;
    if (!bytes || !ParseResultLine(std::string_view(bytes, static_cast<std::size_t>(GetLineLength(view, line))), place))
        return;
    const int result = OpenFile(app.documents, place.path, kOpenModeReuseUntitled, true);
    if (result != kOpenLoaded && result != kOpenAlreadyOpen) return;
    const int target = CurrentView();
    const int lines = GetLineCount(target);
    const int row = place.line > lines ? lines : static_cast<int>(place.line);
    SetSelection(target, row, static_cast<int>(place.column), row, static_cast<int>(place.column));
    FocusView(target);
    UpdateTitle();
}

}  // namespace

int FindInFilesCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    if (!app.settings) return 0;
    FileSearchRequest request;
    std::string folder;
    const SearchContext search{&app.search,  app.settings.get(), CurrentView(), app.mainWindow, app.instance,
                               &ShowNotice, &app};
    if (!ShowFindInFilesDialog(search, request, folder) || !PatternCompiles(app, request)) return 0;
    FindInFilesTab& tab = app.findInFiles;
    StopFindInFiles(tab.run);
    if (OpenNewTab(app) != 0) return 0;
    Document& results = CurrentDocument(app.documents.list);
    const int slot = app.documents.list.currentSlot;
    results.writable = false;
    results.findResults = true;
    SetEditable(slot, 0);
    SetOption(slot, OPTION_UNDO_LIMIT, 0, 0);
    tab.slot = slot;
    tab.document = &results;
    const std::wstring header = Format(IDS_FILES_HEADER, WideFromInternal(request.pattern).c_str(),
                                       WideFromInternal(folder).c_str(), WideFromInternal(request.masks).c_str());
    AppendResults(slot, InternalFromWide(header) + "\r\n");
    UpdateTitle();
    if (!StartFindInFiles(tab.run, app.mainWindow, WM_FIND_IN_FILES, folder, request)) {
        ShowMessage(app.mainWindow, IDS_MSG_OUT_OF_MEMORY, MB_ICONERROR | MB_OK);
        tab.slot = -1;
    }
    return 0;
}

void FindInFilesNewsArrived(KelvaraApp& app)
{
    FindInFilesTab& tab = app.findInFiles;
    const FindInFilesNews news = TakeFindInFilesNews(tab.run);
    const int slot = ResultsSlot(app);
    if (slot < 0) {
        CancelFindInFiles(tab.run);  // nowhere to show the results
        return;
    }
    if (!news.lines.empty()) AppendResults(slot, news.lines);
    if (!news.finished) {
        ShowNotice(&app, Format(IDS_FILES_PROGRESS, static_cast<int>(news.filesSearched),
                                WideFromInternal(news.currentFile).c_str()).c_str());
        return;
    }
    const FileSearchTotals& totals = news.totals;
    std::wstring summary = Format(IDS_FILES_SUMMARY, static_cast<int>(totals.filesSearched),
                                  static_cast<int>(totals.filesMatched), static_cast<int>(totals.matches),
                                  static_cast<int>(news.elapsedMs / 1000), static_cast<int>(news.elapsedMs % 1000));
    if (totals.cancelled) summary = Format(IDS_FILES_CANCELLED) + L" " + summary;
    AppendResults(slot, InternalFromWide(summary) + "\r\n");
    ShowNotice(&app, summary.c_str());
    tab.slot = -1;
}

bool FindInFilesKey(KelvaraApp& app, int slot, UINT message, WPARAM key)
{
    if (message == WM_KEYDOWN && key == VK_ESCAPE && IsFindInFilesRunning(app.findInFiles.run)) {
        CancelFindInFiles(app.findInFiles.run);
        return true;
    }
    const Document* document = GetDocument(app.documents.list, slot);
    if (!document || document->writable || !document->findResults) return false;
    if (message == WM_KEYDOWN && key == VK_RETURN) {
        PostMessageW(app.mainWindow, WM_COMMAND, IDM_SEARCH_OPEN_RESULT, 0);
        return true;
    }
    if (message == WM_LBUTTONDBLCLK) PostMessageW(app.mainWindow, WM_COMMAND, IDM_SEARCH_OPEN_RESULT, 0);
    return false;  // the click still places the caret
}

int OpenResultCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    OpenResultAtCaret(app, CurrentView());
    return 0;
}

int StopFindInFilesCommand(void* context, int)
{
    CancelFindInFiles(static_cast<KelvaraApp*>(context)->findInFiles.run);
    return 0;
}
