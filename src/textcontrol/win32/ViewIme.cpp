// Input through the IME: the composition window follows the caret in the view's font,
// and each result string is inserted as one undo step.
#include <windows.h>
#include <imm.h>

#include <vector>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

void StartComposition(EditorView& view)
{
    view.imeComposing = true;
    HIMC context = ImmGetContext(view.window);
    if (!context) return;
    LOGFONTW font = {};
    if (view.look.font && GetObjectW(view.look.font, sizeof font, &font)) ImmSetCompositionFontW(context, &font);
    ImmReleaseContext(view.window, context);
    PlaceCaret(view);  // also places the composition window
}

bool TakeResult(EditorView& view)
{
    HIMC context = ImmGetContext(view.window);
    if (!context) return false;
    LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::vector<wchar_t> units;
    if (bytes > 0) {
        units.resize(static_cast<size_t>(bytes) / sizeof(wchar_t) + 1, 0);
        bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, units.data(), static_cast<DWORD>(bytes));
    }
    ImmReleaseContext(view.window, context);
    if (bytes <= 0) return true;
    std::string text = WideToInternal(units.data(), static_cast<size_t>(bytes) / sizeof(wchar_t));
    if (!text.empty()) InsertTyped(view, text, true);
    return true;
}

}  // namespace

bool ImeMessage(EditorView& view, UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_IME_STARTCOMPOSITION:
        StartComposition(view);
        return false;  // the default IME window shows the composition
    case WM_IME_ENDCOMPOSITION:
        view.imeComposing = false;
        return false;
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR) {
            // Taken here whole; returning without the default handling keeps the system
            // from sending the same text again as WM_IME_CHAR.
            if (TakeResult(view)) {
                *result = 0;
                return true;
            }
        }
        return false;
    case WM_IME_CHAR:
        *result = 0;  // results arrive through WM_IME_COMPOSITION only
        return true;
    default:
        return false;
    }
}

}  // namespace kvte::textcontrol
