// Checks that the resources linked into the program load, and hold the texts, keys and
// pictures that the menus, toolbar, status bar and message boxes rely on.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// With a buffer size of 0, LoadStringW hands back a pointer to the text inside the
// resource and its length, so the text is seen whole, never cut by a buffer.
std::wstring LoadWholeString(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(Instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

struct StringRange {
    UINT first;
    UINT last;
    size_t room;  // characters the program's buffer leaves for a text of this range
};

// The buffers the program loads each kind of text into.
const StringRange kRanges[] = {
    {IDS_FIRST_MESSAGE, IDS_LAST_MESSAGE, 511},
    {IDS_FIRST_HELP, IDS_LAST_HELP, 1023},
    {IDS_FIRST_TIP, IDS_LAST_TIP, 255},
    {IDS_FIRST_ESF_ERROR, IDS_LAST_ESF_ERROR, 255},
    {IDS_FIRST_MENU_ENTRY, IDS_LAST_MENU_ENTRY, 127},
    {IDS_FIRST_MENU_TITLE, IDS_LAST_MENU_TITLE, 127},
    {IDS_FIRST_SHORTCUT, IDS_LAST_SHORTCUT, 127},
};

TEST(StringTable, EveryNumberHasATextThatFitsItsBuffer)
{
    size_t count = 0;
    for (const StringRange& range : kRanges) {
        for (UINT id = range.first; id <= range.last; ++id, ++count) {
            std::wstring text = LoadWholeString(id);
            ASSERT_FALSE(text.empty()) << "string " << id;
            EXPECT_LE(text.size(), range.room) << "string " << id;
            // A backslash or a carriage return would be an escape that went wrong.
            EXPECT_EQ(text.find_first_of(L"\\\r\t"), std::wstring::npos) << "string " << id;

            wchar_t buffer[1024] = {};
            EXPECT_EQ(LoadStringW(Instance(), id, buffer, 1024), static_cast<int>(text.size()));
            EXPECT_EQ(text, buffer) << "string " << id;
        }
    }
    EXPECT_EQ(count, 168u);
}

TEST(StringTable, NumbersBesideTheRangesAreEmpty)
{
    // A text one number off would land here.
    for (UINT id : {0u, 32u, 99u, 141u, 199u, 218u, 399u, 406u, 499u, 541u, 599u, 608u, 699u, 723u})
        EXPECT_TRUE(LoadWholeString(id).empty()) << "string " << id;
}

TEST(StringTable, TextsComeOutExactly)
{
    const std::pair<UINT, const wchar_t*> expected[] = {
        {IDS_MSG_SAVE_CHANGES, L"%sは変更されています。\n変更点を保存しますか？"},
        {IDS_MSG_OUT_OF_MEMORY, L"メモリが足りません。\nこの処理を実行することが出来ません。"},
        {IDS_MSG_REPLACE_ALL_DONE, L"全て置換処理が完了しました。\n全部で%d箇所の項目を置換しました。"},
        {IDS_MSG_CONFIRM_DELETE_ITEM, L"項目を削除します。よろしいですか？"},
        {IDS_HELP_EDIT_REDO, L"直前に行った「元に戻す」操作を取り消します。"},
        {IDS_HELP_TOOL, L"選択しているツールを起動します。"},
        {IDS_TIP_EDIT_UNDO, L"元に戻す(Ctrl+Z Alt+BackSpace)"},
        {IDS_TIP_TAB_CLOSE, L"このタブを閉じる(Ctrl+D)"},
        {IDS_ESF_BAD_SETTING, L"新しい設定の記述方法が適切ではありません。\n予期せぬ番号または文字が発見されました。"},
        {IDS_MENU_FILE_NEW, L"新規作成(&N)"},
        {IDS_MENU_FILE_SAVE_AS, L"名前をつけて保存(&M)..."},
        {IDS_MENU_EDIT_PASTE, L"貼り付け(P)"},
        {IDS_MENU_HELP_WEB_SITE, L"KelvaraProjectユーザーサイトへ(&U)"},
        {IDS_MENU_HELP_USAGE, L"使い方の参照(&H)"},
        {IDS_SHORTCUT_FILE_NEW, L"Ctrl+N  "},
        {IDS_SHORTCUT_WINDOW_PREVIOUS_TAB, L"Ctrl+Shift+Tab Alt+Left  "},
        {IDS_SHORTCUT_WINDOW_CLOSE_TAB, L"Ctrl+D  Ctrl+W "},
    };
    for (const auto& item : expected)
        EXPECT_EQ(LoadWholeString(item.first), std::wstring(item.second)) << "string " << item.first;
}

TEST(StringTable, EveryShortcutTextEndsInBlanks)
{
    for (UINT id = IDS_FIRST_SHORTCUT; id <= IDS_LAST_SHORTCUT; ++id) {
        std::wstring text = LoadWholeString(id);
        ASSERT_GE(text.size(), 2u);
        EXPECT_EQ(text.back(), L' ') << "string " << id;
    }
}

TEST(StringTable, AddressesAreUsableAsTheyStand)
{
    // The web address goes to the shell as it is; the mail address gets "mailto:" put in front.
    std::wstring web = LoadWholeString(IDS_WEB_ADDRESS);
    std::wstring mail = LoadWholeString(IDS_MAIL_ADDRESS);
    EXPECT_EQ(web.rfind(L"https://", 0), 0u) << "web address";
    EXPECT_EQ(web.find(L' '), std::wstring::npos);
    EXPECT_NE(mail.find(L'@'), std::wstring::npos);
    EXPECT_EQ(mail.find(L"mailto:"), std::wstring::npos);
    EXPECT_EQ(mail.find(L' '), std::wstring::npos);
}

// ---- Accelerators ------------------------------------------------------------------------

struct Shortcut {
    BYTE modifiers;  // FSHIFT, FCONTROL, FALT
    WORD key;
    WORD command;
};

TEST(Accelerators, TableHoldsEveryShortcutInOrder)
{
    const BYTE C = FCONTROL, S = FSHIFT, A = FALT;
    const Shortcut expected[] = {
        {C, 'M', IDM_SEARCH_BOOKMARK_TOGGLE},
        {S, VK_F4, IDM_SEARCH_BOOKMARK_UP},
        {0, VK_F4, IDM_SEARCH_BOOKMARK_DOWN},
        {C, 'D', IDM_WINDOW_CLOSE_TAB},
        {C, 'W', IDM_WINDOW_CLOSE_TAB},
        {C, 'C', IDM_EDIT_COPY},
        {C, VK_INSERT, IDM_EDIT_COPY},
        {S, VK_DELETE, IDM_EDIT_CUT},
        {C, 'X', IDM_EDIT_CUT},
        {C, 'F', IDM_SEARCH_FIND},
        {S, VK_F3, IDM_SEARCH_FIND_UP},
        {0, VK_F3, IDM_SEARCH_FIND_DOWN},
        {0, VK_F1, IDM_HELP_CONTENTS},
        {C, 'J', IDM_SEARCH_GOTO_LINE},
        {C, 'O', IDM_FILE_OPEN},
        {S, VK_INSERT, IDM_EDIT_PASTE},
        {C | S, 'Z', IDM_EDIT_REDO},
        {C, 'H', IDM_SEARCH_REPLACE},
        {C, 'S', IDM_FILE_SAVE},
        {C, 'A', IDM_EDIT_SELECT_ALL},
        {C | S, VK_F4, IDM_WINDOW_PREVIOUS_TAB},
        {A, VK_LEFT, IDM_WINDOW_PREVIOUS_TAB},
        {C | S, VK_TAB, IDM_WINDOW_PREVIOUS_TAB},
        {C, VK_F4, IDM_WINDOW_NEXT_TAB},
        {A, VK_RIGHT, IDM_WINDOW_NEXT_TAB},
        {C, VK_TAB, IDM_WINDOW_NEXT_TAB},
        {A, VK_BACK, IDM_EDIT_UNDO},
        {C, 'Z', IDM_EDIT_UNDO},
        {C | S, 'N', IDM_EDIT_WRITE_PROTECT},
        {C | S, 'S', IDM_FILE_SAVE_ALL},
        {C, 'N', IDM_FILE_NEW},
        {C, 'V', IDM_EDIT_PASTE},
        {C, 'Y', IDM_EDIT_REDO},
    };
    const int count = static_cast<int>(sizeof expected / sizeof expected[0]);
    ASSERT_EQ(count, 33);

    HACCEL table = LoadAcceleratorsW(Instance(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(CopyAcceleratorTableW(table, nullptr, 0), count);
    std::vector<ACCEL> entries(count);
    ASSERT_EQ(CopyAcceleratorTableW(table, entries.data(), count), count);

    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < count; ++i) {
        const ACCEL& entry = entries[i];
        EXPECT_TRUE(entry.fVirt & FVIRTKEY) << "entry " << i;
        EXPECT_EQ(entry.fVirt & (FSHIFT | FCONTROL | FALT), expected[i].modifiers) << "entry " << i;
        EXPECT_EQ(entry.key, expected[i].key) << "entry " << i;
        EXPECT_EQ(entry.cmd, expected[i].command) << "entry " << i;
        // Two entries with the same keys would leave the second one unreachable.
        EXPECT_TRUE(seen.insert({entry.fVirt & (FSHIFT | FCONTROL | FALT), entry.key}).second) << "entry " << i;
    }
    DestroyAcceleratorTable(table);
}

// ---- Icon and bitmaps --------------------------------------------------------------------

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// The bitmap's pixels as COLORREF values, row by row from the top.
struct Pixels {
    int width = 0;
    std::vector<COLORREF> colours;
    COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

Pixels ReadPixels(HBITMAP bitmap)
{
    SIZE size = BitmapSize(bitmap);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> raw(static_cast<size_t>(size.cx) * size.cy);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size.cy, raw.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    Pixels pixels;
    pixels.width = size.cx;
    for (const RGBQUAD& q : raw) pixels.colours.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return pixels;
}

TEST(Pictures, IconHoldsBothSizes)
{
    for (int size : {16, 32}) {
        // The group must hold an image of exactly this size, not one the system scales.
        HRSRC group = FindResourceW(Instance(), MAKEINTRESOURCEW(IDI_MAIN), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Instance(), group)));
        int iconId = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(Instance(), MAKEINTRESOURCEW(iconId), RT_ICON);
        ASSERT_NE(image, nullptr) << size;
        auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(Instance(), image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask

        HICON icon = static_cast<HICON>(LoadImageW(Instance(), MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_EQ(BitmapSize(info.hbmColor).cx, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Pictures, ToolbarBitmapHoldsFifteenDrawnImagesOnTheButtonFace)
{
    HBITMAP plain = LoadBitmapW(Instance(), MAKEINTRESOURCEW(IDB_TOOLBAR));
    ASSERT_NE(plain, nullptr);
    SIZE size = BitmapSize(plain);
    EXPECT_EQ(size.cx, TOOLBAR_IMAGE_COUNT * TOOLBAR_IMAGE_WIDTH);
    EXPECT_EQ(size.cy, TOOLBAR_IMAGE_HEIGHT);

    // The toolbar maps the bitmap's light grey to the button face and leaves it out of
    // the buttons; that only works on a palette bitmap whose background is that grey.
    HBITMAP mapped = CreateMappedBitmap(Instance(), IDB_TOOLBAR, 0, nullptr, 0);
    ASSERT_NE(mapped, nullptr);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF grey = RGB(0xC0, 0xC0, 0xC0);
    const Pixels original = ReadPixels(plain);
    const Pixels onFace = ReadPixels(mapped);
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i) {
        const int left = i * TOOLBAR_IMAGE_WIDTH;
        EXPECT_EQ(original.At(left, 0), grey) << "image " << i;
        EXPECT_EQ(onFace.At(left, 0), face) << "image " << i;
        int drawn = 0;
        for (int y = 0; y < TOOLBAR_IMAGE_HEIGHT; ++y)
            for (int x = 0; x < TOOLBAR_IMAGE_WIDTH; ++x) drawn += original.At(left + x, y) != grey;
        EXPECT_GT(drawn, 30) << "image " << i;
    }
    DeleteObject(mapped);
    DeleteObject(plain);
}

TEST(Pictures, CheckMarkFitsTheMenuBand)
{
    HBITMAP check = LoadBitmapW(Instance(), MAKEINTRESOURCEW(IDB_CHECKMARK));
    ASSERT_NE(check, nullptr);
    SIZE size = BitmapSize(check);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 16);
    // It is copied onto the blue band at the left of the menu, so its background is the band.
    const Pixels pixels = ReadPixels(check);
    const COLORREF band = RGB(128, 128, 255);
    EXPECT_EQ(pixels.At(0, 0), band);
    EXPECT_EQ(pixels.At(15, 15), band);
    EXPECT_NE(pixels.At(7, 10), band);
    DeleteObject(check);
}

}  // namespace
