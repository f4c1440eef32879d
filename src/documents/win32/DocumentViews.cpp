// The documents' views on the editing control, and the subclass procedure every view
// gets: it finds its record by the view's "documents" property and its document by the
// "id" property, and hands each message to the main window's keyboard extensions first,
// then to the view's own procedure.
#include <climits>
#include <new>
#include <vector>

#include "documents/win32/DocumentWindows.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr wchar_t kViewIdProperty[] = L"id";
// The subclass procedure has no context of its own: the view carries its record, from
// its subclassing until its last message.
constexpr wchar_t kWindowsProperty[] = L"documents";

DocumentWindows& Windows(void* context) { return *static_cast<DocumentWindows*>(context); }

const DocumentWindows* WindowsOfView(HWND window)
{
    const auto* windows = static_cast<const DocumentWindows*>(GetPropW(window, kWindowsProperty));
    return windows && windows->documents ? windows : nullptr;
}

LRESULT CALLBACK DocumentViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const DocumentWindows* windows = WindowsOfView(window);
    const int slot = SlotOfView(window);
    if (message == WM_NCDESTROY) RemovePropW(window, kWindowsProperty);
    const Document* document = windows ? GetDocument(windows->documents->list, slot) : nullptr;
    if (document == nullptr || document->savedWindowProc == 0) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC own = reinterpret_cast<WNDPROC>(document->savedWindowProc);
    if (windows->keyHook) {
        LRESULT result = 0;
        try {
            if (windows->keyHook(windows->keyHookContext, slot, window, message, wParam, lParam, &result)) {
                return result;
            }
        } catch (...) {
            // A failing extension must not take the key away from the view.
        }
    }
    return CallWindowProcW(own, window, message, wParam, lParam);
}

bool CreateDocumentView(void* context, int slot)
{
    return CreateView(slot, Windows(context).mainWindow, 0, 0, 400, 400) != 0;
}

void AttachWindowView(void* context, int slot, std::uintptr_t* savedWindowProc)
{
    HWND view = GetViewWindow(slot);
    if (view == nullptr) return;
    SetPropW(view, kViewIdProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(slot)));
    SetPropW(view, kWindowsProperty, static_cast<HANDLE>(context));
    // The id and the record are in place before the first message reaches the new procedure.
    *savedWindowProc = static_cast<std::uintptr_t>(
        SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DocumentViewProc)));
    SetOption(slot, OPTION_NOTIFY_PARENT, 1, 1);
}

void DestroyDocumentView(void* context, int slot)
{
    // The view gets its own procedure back before it is destroyed: its WM_DESTROY frees the
    // back buffer and the drop target, and once the "id" is gone the subclass could no
    // longer find the document to pass that message on.
    if (HWND view = GetViewWindow(slot)) {
        const DocumentWindows& windows = Windows(context);
        const Document* document = windows.documents ? GetDocument(windows.documents->list, slot) : nullptr;
        if (document && document->savedWindowProc != 0 &&
            GetWindowLongPtrW(view, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&DocumentViewProc))
            SetWindowLongPtrW(view, GWLP_WNDPROC, static_cast<LONG_PTR>(document->savedWindowProc));
        RemovePropW(view, kViewIdProperty);
        RemovePropW(view, kWindowsProperty);
    }
    DestroyView(slot);
}

bool SetDocumentText(void*, int slot, std::string&& text)
{
    // The view keeps the text where it lies, zero bytes included.
    const bool ok = SetTextOwned(slot, std::move(text)) != 0;
    std::string().swap(text);
    return ok;
}

// One undoable replacement of the whole text. The view reports the edit to the main
// window as a change of the current document, which a reload is not: the current
// document's mark is put back afterwards.
bool ReloadDocumentText(void* context, int slot, std::string&& text)
{
    if (text.size() > static_cast<size_t>(INT_MAX)) return false;
    DocumentsState* documents = Windows(context).documents;
    const bool currentWasModified = documents ? CurrentDocument(documents->list).modified : false;
    const int caretLine = GetCaretLine(slot);
    std::vector<int> marks;
    for (int line = 1, lines = GetLineCount(slot); line <= lines; ++line)
        if (IsBookmarked(slot, line)) marks.push_back(line);
    // A write-protected document still follows its file.
    const Document* document = documents ? GetDocument(documents->list, slot) : nullptr;
    const bool protectedText = document != nullptr && !document->writable;
    if (protectedText) SetEditable(slot, 1);
    const int done = ReplaceRangeText(slot, 1, GetTextLength(slot) + 1, text.data(), static_cast<int>(text.size()));
    if (protectedText) SetEditable(slot, 0);
    if (documents) CurrentDocument(documents->list).modified = currentWasModified;
    if (!done) return false;
    const int lines = GetLineCount(slot);
    for (int line : marks)
        if (line <= lines) SetBookmark(slot, line, 1, 0);
    SetCaretLine(slot, caretLine);
    RedrawView(slot);
    return true;
}

bool GetDocumentText(void*, int slot, int lineEndMode, std::string& text)
{
    try {
        const int length = GetTextLength(slot);
        if (length < 0) return false;
        // The control's promise: length + 1 bytes hold the text in every line-end mode.
        text.assign(static_cast<std::size_t>(length) + 1, '\0');
        const int written = GetText(slot, text.data(), lineEndMode);
        text.resize(written >= 0 && written <= length ? static_cast<std::size_t>(written) : 0);
        return true;
    } catch (const std::bad_alloc&) {
        text.clear();
        return false;
    }
}

void LayoutMain(void* context)
{
    HWND main = Windows(context).mainWindow;
    RECT client;
    if (!GetClientRect(main, &client)) return;
    SendMessageW(main, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
}

void TabChanged(void* context) { SendMessageW(Windows(context).mainWindow, WM_TAB_CHANGED, 0, 0); }

}  // namespace

int SlotOfView(HWND window)
{
    if (window == nullptr || WindowsOfView(window) == nullptr) return -1;
    const int slot = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kViewIdProperty)));
    // Slot 0 reads the same as a missing property: the view itself tells.
    return GetViewWindow(slot) == window ? slot : -1;
}

void AttachDocumentView(DocumentWindows& windows, int slot)
{
    if (windows.documents == nullptr) return;
    AttachView(windows.documents->list, windows.documents->host, slot);
}

void ConnectViewHost(DocumentWindows&, DocumentsHost& host)
{
    host.createView = &CreateDocumentView;
    host.attachView = &AttachWindowView;
    host.destroyView = &DestroyDocumentView;
    host.setViewCount = [](void*, int count) { SetViewCount(count); };
    host.showView = [](void*, int slot, bool shown) { ShowView(slot, shown ? 1 : 0); };
    host.focusView = [](void*, int slot) { FocusView(slot); };
    host.setText = &SetDocumentText;
    host.getText = &GetDocumentText;
    host.setEditable = [](void*, int slot, bool editable) { SetEditable(slot, editable ? 1 : 0); };
    host.setLineEnding = [](void*, int slot, int lineEnding) { SetLineEnding(slot, lineEnding); };
    host.markSaved = [](void*, int slot) { MarkSavePoint(slot, 1); };
    host.reloadText = &ReloadDocumentText;
    host.setCaret = [](void*, int slot, int line, int column) { SetSelection(slot, line, column, line, column); };
    host.caretLine = [](void*, int slot) { return GetCaretLine(slot); };
    host.layoutMainWindow = &LayoutMain;
    host.tabChanged = &TabChanged;
}
