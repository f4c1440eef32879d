// ChooseFontDialog: the system font dialog, started from the view's current font; the
// chosen font is applied to the view and its name and size handed back.
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>

#include "textcontrol/win32/FontDialog.h"
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

using namespace kvte::textcontrol;

namespace kvte::textcontrol {

namespace {

bool RunSystemFontDialog(HWND owner, LOGFONTW* font, int* pointSize)
{
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = font;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FIXEDPITCHONLY | CF_NOVERTFONTS;
    if (!ChooseFontW(&choose)) return false;
    *pointSize = std::max(1, choose.iPointSize / 10);
    return true;
}

FontDialogRunner& Runner()
{
    static FontDialogRunner runner = RunSystemFontDialog;
    return runner;
}

}  // namespace

FontDialogRunner ReplaceFontDialogRunner(FontDialogRunner runner)
{
    FontDialogRunner previous = Runner();
    Runner() = runner ? runner : RunSystemFontDialog;
    return previous;
}

}  // namespace kvte::textcontrol

int ChooseFontDialog(int view, char* name, int)
{
    EditorView* record = FindView(view);
    if (!record) return -1;
    LOGFONTW font = {};
    if (record->look.font) GetObjectW(record->look.font, sizeof font, &font);
    int pointSize = record->look.pointSize;
    HWND owner = record->parent ? record->parent : record->window;
    if (!Runner()(owner, &font, &pointSize)) return -1;

    std::string internal;
    try {
        internal = WideToInternal(font.lfFaceName, LF_FACESIZE);
    } catch (...) {
        return -1;
    }
    // The caller's buffer holds 264 bytes; a face name (at most 31 UTF-16 units) needs
    // at most 62, so it always fits whole.
    constexpr size_t kNameCapacity = 264;
    if (internal.size() >= kNameCapacity) return -1;
    if (name) {
        std::memcpy(name, internal.c_str(), internal.size() + 1);
    }
    SetFont(view, internal.c_str(), pointSize, 1);
    return pointSize;
}
