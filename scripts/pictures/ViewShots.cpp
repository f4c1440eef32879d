// Renders editing views with sample texts and writes each window as a BMP file, so that
// scripts/screenshot.sh can turn them into PNG pictures. Usage: kvte_view_shots DIR [huge]
#include <windows.h>

#include <cstdio>
#include <string>

#include "textcontrol/win32/EditControl.h"
#include "textcontrol/win32/ViewText.h"

namespace {

const wchar_t kFrameClass[] = L"KvteViewShotFrame";

std::string Internal(const std::wstring& text) { return kvte::textcontrol::WideToInternal(text.c_str(), text.size()); }

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        MoveView(static_cast<int>(GetWindowLongPtrW(window, GWLP_USERDATA)), 0, 0, LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump(int milliseconds)
{
    DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

// The look that the program's default settings and colour file give a view.
void ApplyDefaultLook(int view)
{
    SetOption(view, OPTION_TAB_WIDTH, 4, 0);
    SetOption(view, OPTION_CLICKABLE, 65535, 0);
    SetFont(view, Internal(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF").c_str(), 12, 0);
    SetOption(view, OPTION_RULER_HEIGHT, 10, 0);
    SetOption(view, OPTION_LINE_NUMBER_WIDTH, 50, 0);
    const COLORREF colours[VIEW_COLOR_COUNT] = {
        RGB(160, 160, 160), RGB(160, 160, 160), RGB(160, 160, 160), RGB(0, 0, 255),     RGB(0, 128, 128),
        RGB(0, 128, 128),   RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(128, 128, 128), RGB(255, 0, 0),
        RGB(0, 0, 0),       RGB(240, 240, 240), RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 0, 255),
        RGB(0, 128, 0),     RGB(0, 0, 0),       RGB(255, 255, 128), RGB(255, 255, 255), RGB(0, 0, 255),
        RGB(0, 128, 0)};
    for (int i = 0; i < VIEW_COLOR_COUNT; ++i) SetViewColor(view, i, colours[i], 0);
    for (int i = 0; i < VIEW_MARK_COUNT; ++i) ShowMark(view, i, 1, 0);
}

bool SaveWindowBitmap(HWND window, const std::string& path)
{
    RECT r;
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    bool ok = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, 1, imageSize, out) == imageSize;
        ok = std::fclose(out) == 0 && ok;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return ok;
}

struct Scene {
    HWND frame;
    int view;
};

Scene OpenScene(int view, const wchar_t* title, int width, int height)
{
    HWND frame = CreateWindowW(kFrameClass, title, WS_OVERLAPPEDWINDOW, 20, 20, width, height, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(frame, GWLP_USERDATA, view);
    SetViewCount(view + 1);
    RECT client;
    GetClientRect(frame, &client);
    CreateView(view, frame, 0, 0, client.right, client.bottom);
    ApplyDefaultLook(view);
    return Scene{frame, view};
}

bool Shoot(const Scene& scene, const std::string& path)
{
    ShowWindow(scene.frame, SW_SHOW);
    FocusView(scene.view);
    RedrawView(scene.view);
    UpdateWindow(scene.frame);
    Pump(300);
    bool ok = SaveWindowBitmap(scene.frame, path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    DestroyView(scene.view);
    DestroyWindow(scene.frame);
    return ok;
}

const wchar_t kProse[] =
    L"\x5409\x7965\x5BFA\x306E\x6625\x3002\x3000\x8001\x8217\x306E\x55AB\x8336\x5E97\x3067\x3001\x79C1\x305F\x3061"
    L"\x306F"
    L"\x9DD7\x5916\x306E\x300C\x821E\x59EB\x300D\x3092\x8AAD\x307F\x8FD4\x3057\x305F\x3002"
    L"\x4FE0\x6C17\x306E\x3042\x308B\x53CB\x306F\x9830\x3092\x7DE9\x3081\x3001\x58C1\x306B\x5861\x3081\x305F"
    L"\x984D\x306E\x300C\x9DD7\x300D\x306E\x5B57\x3092\x6307\x3057\x3066\x7B11\x3063\x305F\x3002\x32D0\r\n"
    L"\t\x7B2C\x4E8C\x9762\x306E\x6F22\x5B57\xFF1A\x4E02\x3000\x4E0F\x3000\x4E12\x3000\x4E2B\x3000\xFF08JIS X 0213 "
    L"\x7B2C\x4E8C\x9762\xFF09\r\n"
    L"\x534A\x89D2\xFF76\xFF80\xFF76\xFF85 and half-width spaces, a tab:\there.\r\n"
    L"\x8A73\x3057\x304F\x306F https://example.org/kelvara/ \x3078\x3002\r\n"
    L"\x304A\x554F\x3044\x5408\x308F\x305B\x306F support@example.org \x307E\x3067\x3002\r\n"
    L"\x691C\x7D22\x8A9E\x300C\x6F22\x5B57\x300D\x304C\x5F37\x8ABF\x3055\x308C\x3001\x3053\x306E\x884C\x306B\x306F"
    L"\x3057\x304A\x308A\x304C\x3042\x308A\x307E\x3059\x3002\r\n"
    L"\x9078\x629E\x7BC4\x56F2\x306F\x53CD\x8EE2\x3057\x3066\x8868\x793A\x3055\x308C\x307E\x3059\x3002\r\n"
    L"\x6700\x5F8C\x306E\x884C";

const wchar_t kSource[] =
    L"/* Counts the words of a line.\r\n"
    L"   Multi-line comments are coloured across lines. */\r\n"
    L"#include <stdio.h>\r\n"
    L"\r\n"
    L"int CountWords(const char* line)\r\n"
    L"{\r\n"
    L"\tint count = 0;  // words seen so far\r\n"
    L"\tint inside = 0;\r\n"
    L"\tfor (; *line; ++line) {\r\n"
    L"\t\tif (*line == ' ' || *line == '\\t') {\r\n"
    L"\t\t\tinside = 0;\r\n"
    L"\t\t} else if (!inside) {\r\n"
    L"\t\t\tinside = 1;\r\n"
    L"\t\t\t++count;\r\n"
    L"\t\t}\r\n"
    L"\t}\r\n"
    L"\tprintf(\"%d words\\n\", count);  /* see http://example.com/wc */\r\n"
    L"\treturn count;\r\n"
    L"}\r\n";

void AddCEmphasis(int view)
{
    const char* keywords[] = {"int", "char", "const", "for", "if", "else", "return", "#include"};
    for (const char* word : keywords) AddEmphasis(view, word, nullptr, 1, RGB(0, 0, 255), 0, 1, 0);
    AddEmphasis(view, "//", nullptr, 2, RGB(0, 128, 0), 0, 6, 0);
    AddEmphasis(view, "\"", "\"", 3, RGB(163, 21, 21), 0, 2, 0);
    AddEmphasis(view, "/*", "*/", 4, RGB(0, 128, 0), 0, 6, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : ".";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    int failures = 0;

    // A file of three million lines scrolled to its end: the line-number margin holds the
    // largest number whole (the picture script runs this on a screen of 144 DPI).
    if (argc > 2 && std::string(argv[2]) == "huge") {
        Scene huge = OpenScene(0, L"Three million lines, at the end", 720, 420);
        std::string text;
        for (int line = 1; line < 3000000; ++line) text += line % 7 ? "text\r\n" : "\t\x8D\x73 (line)\r\n";
        text += "last line";
        SetText(huge.view, text.c_str());
        SetSelection(huge.view, 3000000, 10, 3000000, 10);
        failures += !Shoot(huge, folder + "/view-line-numbers-144dpi.bmp");
        return failures;
    }

    // Japanese prose, wrapped, with every mark, a link, a mail address, a bookmark, a
    // search highlight and a selection.
    Scene prose = OpenScene(0, L"Japanese prose, wrapping on", 720, 420);
    SetText(prose.view, Internal(kProse).c_str());
    SetWrap(prose.view, 1, 0, 0);
    SetBookmark(prose.view, 6, 1, 0);
    SetHighlightText(prose.view, Internal(L"\x6F22\x5B57").c_str(), 0, 1);
    SetSelection(prose.view, 7, 1, 7, 13);
    failures += !Shoot(prose, folder + "/view-japanese-wrap.bmp");

    // The same text without wrapping, the caret on line 2.
    Scene flat = OpenScene(1, L"Japanese prose, wrapping off", 720, 420);
    SetText(flat.view, Internal(kProse).c_str());
    SetBookmark(flat.view, 6, 1, 0);
    SetSelection(flat.view, 2, 3, 2, 3);
    failures += !Shoot(flat, folder + "/view-japanese-nowrap.bmp");

    // C source with emphasis rules for keywords, line comments, strings and comments.
    Scene source = OpenScene(2, L"C source with emphasis", 720, 460);
    AddCEmphasis(source.view);
    SetText(source.view, Internal(kSource).c_str());
    SetBookmark(source.view, 5, 1, 0);
    SetSelection(source.view, 9, 2, 9, 5);
    SetOption(source.view, OPTION_LINE_SPACING, 2, 0);
    failures += !Shoot(source, folder + "/view-c-source.bmp");

    // The JIS X 0213 characters that take a surrogate pair or a sequence in UTF-16, each
    // one two-byte character: 𠀋𡈽𪚲 ㉑ か゚ ㇰ 𠮟 俱, and ｾﾟ (half-width, two bytes), the
    // caret after か゚ and a selection over 𡈽; then half-width katakana, symbols (⦅⦆ are
    // drawn by a stand-in font where the Japanese font lacks them) and accented letters.
    Scene x0213 = OpenScene(3, L"JIS X 0213 characters", 560, 200);
    SetText(x0213.view,
            Internal(L"\xD840\xDC0B\xD844\xDE3D\xD869\xDEB2 \x3251 \x304B\x309A \x31F0 \xD842\xDF9F\x4FF1\r\n"
                     L"\xFF7E\xFF9F \x30BB\x309A \x304B\x309C \xFF76\xFF80\xFF76\xFF85 \xFF8A\xFF9D\xFF76\xFF78\r\n"
                     L"\x2153\x2154\x2155 \x266C \x23BE\x23CC \x2318 \x2668 \x3033\x3035 \x02E9\x02E5 \x02E5\x02E9 "
                     L"\x2985\x2986\r\n"
                     L"\x0104\x0105 \x0141\x0142 \x0150\x0151 \x0250\x0254\x0259 \x1F70\x1F71 \x203F\r\n")
                .c_str());
    SetSelection(x0213.view, 1, 3, 1, 5);
    failures += !Shoot(x0213, folder + "/view-jisx0213.bmp");
    return failures;
}
