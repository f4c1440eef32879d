// The resources linked into the program hold the texts and pictures that the menus, bars
// and message boxes rely on (the commands they name are checked in tests/win/app).
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// With a buffer size of 0, LoadStringW hands back a pointer to the text inside the
// resource and its length, so the text is seen whole, never cut by a buffer.
std::wstring LoadWholeString(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

TEST(StringTable, EveryNumberHasATextThatFitsTheBufferItIsLoadedInto)
{
    const struct {
        UINT first, last;
        size_t room;  // characters the program's buffer leaves for a text of this range
    } ranges[] = {
        // The search's texts (90-99, search_ids.h) run on into the help texts.
        {IDS_FIRST_MESSAGE, IDS_LAST_MESSAGE, 511},       {90, IDS_HELP_WINDOW_DOCUMENT, 1023},
        {IDS_FIRST_ENCODING_MESSAGE, IDS_LAST_ENCODING_MESSAGE, 511},
        {IDS_FIRST_ENCODING_NOTICE, IDS_LAST_ENCODING_NOTICE, 255},
        {IDS_FIRST_TIP, IDS_LAST_TIP, 255},               {IDS_FIRST_ESF_ERROR, IDS_LAST_ESF_ERROR, 255},
        {IDS_FIRST_MENU_ENTRY, IDS_MENU_FILE_RECENT, 127}, {IDS_FIRST_MENU_TITLE, IDS_LAST_MENU_TITLE, 127},
        {IDS_FIRST_SHORTCUT, IDS_LAST_SHORTCUT, 127},
        {IDS_HELP_SEARCH_MARK_ALL, IDS_HELP_SEARCH_STOP_FIND_IN_FILES, 1023},
        {IDS_MENU_SEARCH_MARK_ALL, IDS_MENU_SEARCH_STOP_FIND_IN_FILES, 127},
    };
    for (const auto& range : ranges) {
        for (UINT id = range.first; id <= range.last; ++id) {
            const std::wstring text = LoadWholeString(id);
            ASSERT_FALSE(text.empty()) << "string " << id;
            EXPECT_LE(text.size(), range.room) << "string " << id;
            // A backslash, tab or carriage return would be an escape that went wrong.
            EXPECT_EQ(text.find_first_of(L"\\\r\t"), std::wstring::npos) << "string " << id;
        }
        // A text one number off would land just beside the range.
        EXPECT_TRUE(LoadWholeString(range.first - 1).empty() && LoadWholeString(range.last + 1).empty()) << range.first;
    }
    // The web address goes to the shell as it is; the mail address gets "mailto:" in front.
    EXPECT_EQ(LoadWholeString(IDS_WEB_ADDRESS).rfind(L"https://", 0), 0u);
    EXPECT_EQ(LoadWholeString(IDS_MAIL_ADDRESS).find_first_of(L": "), std::wstring::npos);
}

// The bitmap's pixels as COLORREF values, row by row from the top, and its size.
std::vector<COLORREF> ReadPixels(HBITMAP bitmap, SIZE& size)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    size = {info.bmWidth, info.bmHeight};
    BITMAPINFO header = {};
    header.bmiHeader = {sizeof header.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> raw(static_cast<size_t>(size.cx) * size.cy);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, size.cy, raw.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (const RGBQUAD& q : raw) pixels.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
    return pixels;
}

TEST(Pictures, TheToolbarImagesSitOnTheGreyThatBecomesTheButtonFace)
{
    HBITMAP plain = LoadBitmapW(Instance(), MAKEINTRESOURCEW(IDB_TOOLBAR));
    // The toolbar maps the bitmap's light grey to the button face; that only works on a
    // palette bitmap whose background is that grey.
    HBITMAP mapped = CreateMappedBitmap(Instance(), IDB_TOOLBAR, 0, nullptr, 0);
    ASSERT_TRUE(plain && mapped);
    SIZE size{}, mappedSize{};
    const std::vector<COLORREF> original = ReadPixels(plain, size), onFace = ReadPixels(mapped, mappedSize);
    ASSERT_EQ(size.cx, TOOLBAR_IMAGE_COUNT * TOOLBAR_IMAGE_WIDTH);
    ASSERT_EQ(size.cy, TOOLBAR_IMAGE_HEIGHT);
    const COLORREF grey = RGB(0xC0, 0xC0, 0xC0);
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i) {
        const int left = i * TOOLBAR_IMAGE_WIDTH;
        EXPECT_EQ(original[left], grey) << "image " << i;
        EXPECT_EQ(onFace[left], GetSysColor(COLOR_BTNFACE)) << "image " << i;
        int drawn = 0;
        for (int y = 0; y < TOOLBAR_IMAGE_HEIGHT; ++y)
            for (int x = 0; x < TOOLBAR_IMAGE_WIDTH; ++x) drawn += original[y * size.cx + left + x] != grey;
        EXPECT_GT(drawn, 30) << "image " << i;
    }
    DeleteObject(mapped);
    DeleteObject(plain);
}

TEST(Pictures, TheIconHoldsBothSizesItself)
{
    HRSRC group = FindResourceW(Instance(), MAKEINTRESOURCEW(IDI_MAIN), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Instance(), group)));
    for (int size : {16, 32}) {
        // The group must hold an image of exactly this size, not one the system scales.
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(Instance(), MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr) << size;
        const auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(Instance(), image)));
        EXPECT_EQ(header->biWidth, size);
        EXPECT_EQ(header->biHeight, 2 * size);  // colour and mask
    }
}

}  // namespace
