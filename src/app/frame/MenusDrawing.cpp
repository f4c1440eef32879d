// Measuring and drawing the owner-drawn menu entries: white, with a blue band on the left
// that carries the check mark, a green-framed highlight, and a dotted separator. Sizes are
// pixels at 96 DPI, scaled by the device's DPI.
#include "app/frame/Menus.h"

#include <string>

#include "platform/WideText.h"

namespace {

constexpr COLORREF kBackground = 0xFFFFFF;
constexpr COLORREF kBand = 0xFF8080;
constexpr COLORREF kHighlightFill = 0xD2EEC1;
constexpr COLORREF kHighlightFrame = 0x00FF00;
constexpr COLORREF kSeparatorLine = 0x008080;

constexpr int kBandRight = 19;
constexpr int kCheckOffset = 2;
constexpr int kCheckSize = 16;
constexpr int kHighlightLeft = 22;
constexpr int kTextLeft = 26;
constexpr int kTextTop = 4;
constexpr int kSeparatorRightGap = 2;

const MenuEntry* EntryOf(const FrameState& frame, ULONG_PTR itemData)
{
    if (itemData >= frame.menuEntries.size()) return nullptr;
    return &frame.menuEntries[itemData];
}

int DpiOf(HDC dc)
{
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

SIZE TextSize(HDC dc, const std::wstring& text)
{
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

// Selects a GDI object for the life of the scope.
struct Selected {
    HDC dc;
    HGDIOBJ previous;
    Selected(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc, previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
};

// A rectangle filled with one brush and outlined with one pen.
void FillFramed(HDC dc, const RECT& rect, COLORREF fill, HPEN pen)
{
    HBRUSH brush = CreateSolidBrush(fill);
    {
        Selected brushIn(dc, brush);
        Selected penIn(dc, pen);
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    DeleteObject(brush);
}

void DrawCheckMark(HDC dc, HBITMAP bitmap, int x, int y, int size)
{
    if (bitmap == nullptr) return;
    HDC source = CreateCompatibleDC(dc);
    if (source == nullptr) return;
    {
        Selected bitmapIn(source, bitmap);
        if (size == kCheckSize) {
            BitBlt(dc, x, y, size, size, source, 0, 0, SRCCOPY);
        } else {
            StretchBlt(dc, x, y, size, size, source, 0, 0, kCheckSize, kCheckSize, SRCCOPY);
        }
    }
    DeleteDC(source);
}

}  // namespace

bool MeasureMenuEntry(const FrameState& frame, MEASUREITEMSTRUCT& item)
{
    if (item.CtlType != ODT_MENU) return false;
    const MenuEntry* entry = EntryOf(frame, item.itemData);
    if (entry == nullptr) return false;
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return false;
    SIZE text{0, 0}, shortcut{0, 0};
    {
        Selected font(dc, GetStockObject(DEFAULT_GUI_FONT));
        text = TextSize(dc, WideFromInternal(entry->text));
        if (entry->shortcut[0] != '\0') shortcut = TextSize(dc, WideFromInternal(entry->shortcut));
    }
    const int dpi = DpiOf(dc);
    ReleaseDC(nullptr, dc);
    const MenuEntrySize size =
        MenuEntrySizeFor(entry->kind, text.cx, text.cy, entry->shortcut[0] != '\0', shortcut.cx, dpi);
    item.itemWidth = static_cast<UINT>(size.width);
    item.itemHeight = static_cast<UINT>(size.height);
    return true;
}

bool DrawMenuEntry(const FrameState& frame, const DRAWITEMSTRUCT& item, bool commandChecked)
{
    if (item.CtlType != ODT_MENU) return false;
    const MenuEntry* entry = EntryOf(frame, item.itemData);
    if (entry == nullptr) return false;
    if ((item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0) return true;

    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const int dpi = DpiOf(dc);
    auto px = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
    const int savedDc = SaveDC(dc);

    HBRUSH white = CreateSolidBrush(kBackground);
    FillRect(dc, &rect, white);
    DeleteObject(white);

    HPEN bandPen = CreatePen(PS_SOLID, 1, kBand);
    FillFramed(dc, RECT{0, rect.top, px(kBandRight), rect.bottom}, kBand, bandPen);
    DeleteObject(bandPen);

    const bool checked = entry->checked || (entry->kind == MenuEntryKind::Command && commandChecked);
    if (checked) {
        DrawCheckMark(dc, frame.checkMarkBitmap, rect.left + px(kCheckOffset), rect.top + px(kCheckOffset),
                      px(kCheckSize));
    }

    Selected font(dc, GetStockObject(DEFAULT_GUI_FONT));
    if (entry->kind == MenuEntryKind::Separator) {
        HPEN dotted = CreatePen(PS_DOT, 1, kSeparatorLine);
        {
            Selected penIn(dc, dotted);
            SetBkMode(dc, TRANSPARENT);
            const int middle = rect.top + (rect.bottom - rect.top) / 2;
            MoveToEx(dc, rect.left + px(kHighlightLeft), middle, nullptr);
            LineTo(dc, rect.right - px(kSeparatorRightGap), middle);
        }
        DeleteObject(dotted);
    } else {
        if (item.itemState & ODS_SELECTED) {
            HPEN framePen = CreatePen(PS_SOLID, 1, kHighlightFrame);
            FillFramed(dc, RECT{px(kHighlightLeft), rect.top, rect.right, rect.bottom}, kHighlightFill, framePen);
            DeleteObject(framePen);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT textRect{rect.left + px(kTextLeft), rect.top + px(kTextTop), rect.right, rect.bottom};
        const std::wstring text = WideFromInternal(entry->text);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_WORDBREAK | DT_VCENTER);
        if (entry->shortcut[0] != '\0') {
            const std::wstring shortcut = WideFromInternal(entry->shortcut);
            DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &textRect,
                      DT_WORDBREAK | DT_VCENTER | DT_RIGHT);
        }
    }
    RestoreDC(dc, savedDc);
    return true;
}

LRESULT AnswerMenuCharMessage(const FrameState& frame, WPARAM wParam, LPARAM lParam)
{
    HMENU menu = reinterpret_cast<HMENU>(lParam);
    const int count = menu ? GetMenuItemCount(menu) : -1;
    std::vector<char> keys;
    int highlighted = -1;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
        const MenuEntry* entry = nullptr;
        if (GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) {
            if ((info.fType & MFT_OWNERDRAW) && !(info.fType & MFT_SEPARATOR)) entry = EntryOf(frame, info.dwItemData);
            if (info.fState & MFS_HILITE) highlighted = position;
        }
        keys.push_back(entry ? MenuAccessKey(entry->text) : 0);
    }
    const MenuCharAnswer answer = AnswerMenuChar(keys, static_cast<wchar_t>(LOWORD(wParam)), highlighted);
    switch (answer.action) {
    case MenuCharAnswer::Execute:
        return MAKELRESULT(answer.position, MNC_EXECUTE);
    case MenuCharAnswer::Select:
        return MAKELRESULT(answer.position, MNC_SELECT);
    default:
        return MAKELRESULT(0, MNC_IGNORE);
    }
}
