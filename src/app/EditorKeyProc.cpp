// The views' keyboard extensions on real windows: the decisions are in EditorKeys.cpp, this
// file reads the view and acts. A key that is consumed returns 0 without reaching the view;
// a key that is passed reaches the view's own procedure with the same arguments.
#include "app/EditorKeyProc.h"

#include <new>
#include <string>

#include "app/DocumentCommands.h"
#include "app/EditorKeys.h"
#include "app/FindInFiles.h"
#include "app/KelvaraApp.h"
#include "textcontrol/win32/EditControl.h"

namespace {

constexpr int kNoSelection = -2;  // GetSelection's answer when nothing is selected

// True when the key was consumed.
bool AutoIndentEnter(const KelvaraApp& app, int view)
{
    if (!app.autoIndent) return false;
    int line = 0, column = 0;
    if (GetSelection(view, &line, &column, nullptr, nullptr) != kNoSelection) return false;
    std::string text;
    try {
        const char* bytes = GetLineText(view, line);  // the length is valid only after the text
        if (!IndentedLineBreak(bytes, GetLineLength(view, line), column, text)) return false;
    } catch (const std::bad_alloc&) {
        return true;  // without memory the key is dropped rather than half done
    }
    InsertText(view, text.c_str());
    UpdateCaretStatus();
    return true;
}

bool HomeVs(const KelvaraApp& app, int view, const Document& document)
{
    BYTE keys[256];
    if (!GetKeyboardState(keys)) return true;
    const bool ctrl = (keys[VK_CONTROL] & 0x80) != 0, shift = (keys[VK_SHIFT] & 0x80) != 0;
    if (ctrl) {
        // The selection (or the caret) is put at the top first; the view then does its
        // own Ctrl+Home from there.
        if (shift) {
            int line = 0, column = 0;
            GetSelectionAnchor(view, &line, &column);
            SetSelection(view, line, column, 1, 1);
        } else {
            MoveCaretToTop(view, 1);
        }
        return false;
    }
    if (!app.vsHome || document.wrapped) return false;
    const int line = GetCaretLine(view);
    const char* bytes = GetLineText(view, line);
    const int target = AlternatingHomeColumn(bytes, GetLineLength(view, line), GetCaretPosition(view));
    if (target == 0) return false;
    if (shift) {
        // Extended from the selection's real anchor: its first position is the caret's side
        // after Shift+Left or Shift+Up, and the far end would be lost.
        int anchorLine = 0, anchorColumn = 0;
        GetSelectionAnchor(view, &anchorLine, &anchorColumn);
        SetSelection(view, anchorLine, anchorColumn, line, target);
    } else {
        SetSelection(view, line, target, line, target);
    }
    return true;
}

// The hook's own record: the application it reads, and the view whose key-down of Enter
// it consumed last. The CR that TranslateMessage makes of that key-down follows it to the
// same view and must not break the line after the indented break.
struct EditorKeys {
    KelvaraApp* app = nullptr;
    int consumedEnterSlot = -1;
};

bool EditorKeyHook(void* context, int slot, HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    EditorKeys& keys = *static_cast<EditorKeys*>(context);
    if (message == WM_CHAR && (wParam == '\r' || wParam == '\n') && keys.consumedEnterSlot == slot) {
        keys.consumedEnterSlot = -1;
        *result = 0;
        return true;
    }
    if (message == WM_CHAR || message == WM_KEYDOWN || message == WM_SYSKEYDOWN) keys.consumedEnterSlot = -1;
    if ((message == WM_KEYDOWN || message == WM_LBUTTONDBLCLK) && FindInFilesKey(*keys.app, slot, message, wParam)) {
        if (wParam == VK_RETURN) keys.consumedEnterSlot = slot;
        *result = 0;
        return true;
    }
    if (message != WM_KEYDOWN || (wParam != VK_RETURN && wParam != VK_HOME)) return false;
    KelvaraApp& app = *keys.app;
    const Document* document = GetDocument(app.documents.list, slot);
    if (document == nullptr) return false;
    const bool consumed = wParam == VK_RETURN ? AutoIndentEnter(app, slot) : HomeVs(app, slot, *document);
    if (!consumed) return false;
    if (wParam == VK_RETURN) keys.consumedEnterSlot = slot;
    *result = 0;
    return true;
}

EditorKeys editorKeys;

}  // namespace

void InstallEditorKeys(KelvaraApp& app)
{
    editorKeys = EditorKeys{&app, -1};
    app.documentWindows.keyHook = &EditorKeyHook;
    app.documentWindows.keyHookContext = &editorKeys;
}
