// The documents' views on the editing control, and the subclass procedure every view
// gets: it finds its document by the view's "id" property and hands each message to the
// main window's keyboard extensions first, then to the view's own procedure.
#include <new>

#include "documents/win32/DocumentWindows.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr wchar_t kViewIdProperty[] = L"id";

// The subclass procedure has no context of its own: the program has one document list.
DocumentWindows* connected = nullptr;

DocumentWindows& Windows(void* context) { return *static_cast<DocumentWindows*>(context); }

LRESULT CALLBACK DocumentViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int slot = SlotOfView(window);
    const Document* document =
        connected && connected->documents ? GetDocument(connected->documents->list, slot) : nullptr;
    if (document == nullptr || document->savedWindowProc == 0) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC own = reinterpret_cast<WNDPROC>(document->savedWindowProc);
    if (connected->keyHook) {
        LRESULT result = 0;
        try {
            if (connected->keyHook(connected->keyHookContext, slot, window, message, wParam, lParam, &result)) {
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
    // The id is in place before the first message reaches the new procedure.
    *savedWindowProc = static_cast<std::uintptr_t>(
        SetWindowLongPtrW(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DocumentViewProc)));
    SetOption(slot, OPTION_NOTIFY_PARENT, 1, 1);
    (void)context;
}

void DestroyDocumentView(void*, int slot)
{
    if (HWND view = GetViewWindow(slot)) RemovePropW(view, kViewIdProperty);
    DestroyView(slot);
}

bool SetDocumentText(void*, int slot, std::string&& text)
{
    // The view keeps the text where it lies, zero bytes included.
    const bool ok = SetTextOwned(slot, std::move(text)) != 0;
    std::string().swap(text);
    return ok;
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
    if (window == nullptr || connected == nullptr || connected->documents == nullptr) return -1;
    const int slot = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(window, kViewIdProperty)));
    // Slot 0 reads the same as a missing property: the view itself tells.
    return GetViewWindow(slot) == window ? slot : -1;
}

void AttachDocumentView(DocumentWindows& windows, int slot)
{
    if (windows.documents == nullptr) return;
    AttachView(windows.documents->list, windows.documents->host, slot);
}

void ConnectViewHost(DocumentWindows& windows, DocumentsHost& host)
{
    connected = &windows;
    host.createView = &CreateDocumentView;
    host.attachView = &AttachWindowView;
    host.destroyView = &DestroyDocumentView;
    host.setViewCount = [](void*, int count) { SetViewCount(count); };
    host.showView = [](void*, int slot, bool shown) { ShowView(slot, shown ? 1 : 0); };
    host.focusView = [](void*, int slot) { FocusView(slot); };
    host.setText = &SetDocumentText;
    host.getText = &GetDocumentText;
    host.setEditable = [](void*, int slot, bool editable) { SetEditable(slot, editable ? 1 : 0); };
    host.layoutMainWindow = &LayoutMain;
    host.tabChanged = &TabChanged;
}
