// The host operations of the emphasis subsystem on the real control, and the line-end
// mark.
#include "emphasis/win32/EmphasisWindows.h"

#include <cwchar>
#include <string>

#include "emphasis/ColourFile.h"
#include "emphasis/EditorAppearance.h"
#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"

namespace {

HWND Owner(void* context) { return static_cast<HWND>(context); }

int Add(void*, int view, const char* text, const char* endText, int kind, uint32_t colour, int second,
        int colourNumber, int fourth)
{
    return AddEmphasis(view, text, endText, kind, colour, second, colourNumber, fourth);
}

void ShowError(void* context, int number) { ShowMessage(Owner(context), number, MB_ICONERROR); }

// The box that names the file, the line from which reading stopped, and what was wrong.
void ShowParseError(void* context, int number, int line, const char* fileName)
{
    wchar_t detail[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), detail, 256) <= 0) detail[0] = 0;
    const std::wstring name = WideFromInternal(fileName ? fileName : "");
    const std::wstring lineText = std::to_wstring(line);
    std::wstring text = L"<環境設定ファイルエラー>\n環境設定ファイル" + name + L"においてエラーが発見されました。\n" +
                        L"エラーの発見された" + lineText + L"行目以降は読み込みを中止します。\n\n<エラーの詳細>\n" +
                        name + L":" + lineText + L"\n" + detail;
    ShowMessageBox(Owner(context), number, text.c_str(), L"KelvaraTextEditor", MB_ICONERROR);
}

}  // namespace

void ConnectEmphasisWindows(EmphasisState& state, HWND owner)
{
    EmphasisHost& host = state.host;
    host.context = owner;
    host.addEmphasis = &Add;
    host.clearEmphasis = [](void*, int view, int redraw) { ClearEmphasis(view, redraw); };
    host.redrawView = [](void*, int view) { RedrawView(view); };
    host.setOption = [](void*, int view, int option, int value, int redraw) { SetOption(view, option, value, redraw); };
    host.setFont = [](void*, int view, const char* name, int size, int redraw) { SetFont(view, name, size, redraw); };
    host.setViewColor = [](void*, int view, int index, uint32_t colour, int redraw) {
        SetViewColor(view, index, colour, redraw);
    };
    host.showMark = [](void*, int view, int index, int shown, int redraw) { ShowMark(view, index, shown, redraw); };
    host.chooseFontDialog = [](void*, int view, char* name) { return ChooseFontDialog(view, name, 1); };
    host.showMessage = &ShowError;
    host.showParseError = &ShowParseError;
}

void DrawLineEndMark(MarkDrawing& drawing, const EmphasisState& state, const DRAWITEMSTRUCT& item)
{
    if (item.itemState != VIEW_MARK_LINE_END || item.hDC == nullptr) return;
    if (drawing.lineEndPen == nullptr) {
        ProfileFile colours;
        OpenColourFile(state, colours, "mark");
        drawing.lineEndPen = CreatePen(PS_SOLID, 1, ReadColour(colours, "cCrlf"));
        if (drawing.lineEndPen == nullptr) return;
    }
    const int view = static_cast<int>(item.itemID);
    MarkPoint points[4];
    LineEndMarkStroke(item.rcItem.left, item.rcItem.top, item.rcItem.bottom, DrawMetrics(view, 0), DrawMetrics(view, 1),
                      points);
    HGDIOBJ previous = SelectObject(item.hDC, drawing.lineEndPen);
    MoveToEx(item.hDC, points[0].x, points[0].y, nullptr);
    for (int i = 1; i < 4; ++i) LineTo(item.hDC, points[i].x, points[i].y);
    SelectObject(item.hDC, previous);
}
