// Renders a C, an HTML and a Perl file coloured by the shipped environments, each in the
// shipped colour schemes, and writes each window as a BMP file for
// scripts/emphasis-screenshot.sh. Usage: kvte_emphasis_shots OUTDIR DATAFOLDER
// (DATAFOLDER holds esf\ and color\, with a trailing backslash).
#include <windows.h>

#include <cstdio>
#include <string>

#include "config/ProfileFile.h"
#include "emphasis/EditorAppearance.h"
#include "emphasis/EmphasisLoader.h"
#include "emphasis/win32/EmphasisWindows.h"
#include "textcontrol/win32/EditControl.h"
#include "textcontrol/win32/ViewText.h"

namespace {

const wchar_t kFrameClass[] = L"KvteEmphasisShotFrame";

std::string Internal(const std::wstring& text) { return kvte::textcontrol::WideToInternal(text.c_str(), text.size()); }

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) {
        MoveView(0, 0, 0, LOWORD(lParam), HIWORD(lParam));
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
    info.bmiHeader.biHeight = height;
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

const wchar_t kC[] =
    L"/* Counts the key lines of a settings file. */\r\n"
    L"#include <stdio.h>\r\n"
    L"#include <string.h>\r\n"
    L"\r\n"
    L"static int count_keys(FILE *in)\r\n"
    L"{\r\n"
    L"    char line[256];\r\n"
    L"    int keys = 0;\r\n"
    L"    while (fgets(line, sizeof line, in) != NULL) {\r\n"
    L"        if (strchr(line, '=') != NULL)  // a key line\r\n"
    L"            keys++;\r\n"
    L"    }\r\n"
    L"    return keys;\r\n"
    L"}\r\n"
    L"\r\n"
    L"int main(void)\r\n"
    L"{\r\n"
    L"    printf(\"keys: %d\\n\", count_keys(stdin));\r\n"
    L"    return 0;\r\n"
    L"}\r\n";

const wchar_t kHtml[] =
    L"<!DOCTYPE html>\r\n"
    L"<html>\r\n"
    L"<head>\r\n"
    L"  <meta charset=\"utf-8\">\r\n"
    L"  <title>Kelvara &amp; friends</title>\r\n"
    L"</head>\r\n"
    L"<body>\r\n"
    L"  <!-- the page's heading,\r\n"
    L"       over two lines -->\r\n"
    L"  <h1 class=\"title\">\x30C6\x30AD\x30B9\x30C8\x30A8\x30C7\x30A3\x30BF</h1>\r\n"
    L"  <p>See <a href=\"https://example.com/\">the site</a>.</p>\r\n"
    L"  <ul>\r\n"
    L"    <li>\x65E5\x672C\x8A9E</li>\r\n"
    L"    <li>English</li>\r\n"
    L"  </ul>\r\n"
    L"</body>\r\n"
    L"</html>\r\n";

const wchar_t kPerl[] =
    L"#!/usr/bin/perl\r\n"
    L"use strict;\r\n"
    L"use warnings;\r\n"
    L"\r\n"
    L"# Count the words of each file named on the command line.\r\n"
    L"my %count;\r\n"
    L"foreach my $file (@ARGV) {\r\n"
    L"    open(my $in, '<', $file) or die \"cannot open $file: $!\";\r\n"
    L"    while (my $line = <$in>) {\r\n"
    L"        $count{$_}++ for split ' ', $line;\r\n"
    L"    }\r\n"
    L"    close($in);\r\n"
    L"}\r\n"
    L"print \"$_: $count{$_}\\n\" foreach sort keys %count;\r\n"
    L"\r\n"
    L"=pod\r\n"
    L"Prints every word with its count.\r\n"
    L"=cut\r\n";

const wchar_t kMarkdown[] =
    L"# \x30E1\x30E2\r\n"
    L"\r\n"
    L"## \x4ECA\x65E5\x306E\x4E88\x5B9A\r\n"
    L"\r\n"
    L"- **\x6253\x3061\x5408\x308F\x305B** 10:00\r\n"
    L"- `make test` \x3092\x6D41\x3059\r\n"
    L"- [\x8B70\x4E8B\x9332](https://example.com/minutes)\r\n"
    L"\r\n"
    L"> \x5F15\x7528\x306E\x884C\r\n"
    L"\r\n"
    L"```\r\n"
    L"code block\r\n"
    L"```\r\n";

const wchar_t kBat[] =
    L"@echo off\r\n"
    L"rem \x30D0\x30C3\x30AF\x30A2\x30C3\x30D7\r\n"
    L"set SRC=C:\\data\r\n"
    L"if not exist %SRC% goto missing\r\n"
    L"copy C:\\a D:\\b\r\n"
    L"goto end\r\n"
    L":missing\r\n"
    L"echo %SRC% \x304C\x3042\x308A\x307E\x305B\x3093\r\n"
    L":end\r\n";

const wchar_t kIni[] =
    L"; \x8A2D\x5B9A\x30D5\x30A1\x30A4\x30EB\r\n"
    L"[main]\r\n"
    L"kanji=0\r\n"
    L"key=value ; not a comment\r\n"
    L"\r\n"
    L"[FileType]\r\n"
    L"md=Markdown.esf\r\n";

// The settings a fresh program starts with, with the colour file of the scheme.
void WriteSettings(const std::string& path, const char* colourFile)
{
    std::string text = "[editor1]\r\nColorFile=" + std::string(colourFile) + "\r\nFontName=" +
                       Internal(L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF") +
                       "\r\nFontSize=12\r\nnTab=4\r\nLineNum=1\r\nRuler=1\r\nlinespace=0\r\nclickable=65535\r\n"
                       "ole=1\r\nowndraw=0\r\nundo=1\r\nsel_numalpha=1\r\n[editor2]\r\nvCrlf=1\r\n"
                       "vNormalSpace=1\r\nvHalfSpace=0\r\nvTab=1\r\nvEOF=1\r\nvUnderLine=0\r\n";
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
    }
}

bool Shoot(const std::string& outFolder, const std::string& dataFolder, const char* scheme, const wchar_t* title,
           const char* environment, const wchar_t* text, const std::string& picture)
{
    const std::string settingsPath = outFolder + "\\emphasis-shots.ini";
    WriteSettings(settingsPath, scheme);
    ProfileFile settings;
    OpenProfile(settings, settingsPath.c_str(), "editor1");

    HWND frame = CreateWindowW(kFrameClass, title, WS_OVERLAPPEDWINDOW, 20, 20, 600, 420, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetViewCount(1);
    RECT client;
    GetClientRect(frame, &client);
    CreateView(0, frame, 0, 0, client.right, client.bottom);

    EmphasisState state;
    state.settings = &settings;
    state.programFolder = dataFolder.c_str();
    ConnectEmphasisWindows(state, frame);
    ApplyEditorSettings(state, 0);
    SetText(0, Internal(text).c_str());
    bool loaded = LoadEmphasisFile(state, 0, environment);

    ShowWindow(frame, SW_SHOW);
    RedrawView(0);
    UpdateWindow(frame);
    Pump(300);
    bool ok = loaded && SaveWindowBitmap(frame, outFolder + "\\" + picture);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", picture.c_str());
    DestroyView(0);
    DestroyWindow(frame);
    DeleteFileA(settingsPath.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kvte_emphasis_shots OUTDIR DATAFOLDER\n");
        return 2;
    }
    WNDCLASSW frameClass = {};
    frameClass.lpfnWndProc = &FrameProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.lpszClassName = kFrameClass;
    RegisterClassW(&frameClass);

    const std::string out = argv[1], data = argv[2];
    bool ok = true;
    for (const char* scheme : {"default", "dark"}) {
        const std::string file = std::string(scheme) + ".ini";
        ok = Shoot(out, data, file.c_str(), L"count.c", "C,C++.esf", kC, std::string("emphasis-c-") + scheme + ".bmp") && ok;
        ok = Shoot(out, data, file.c_str(), L"index.html", "HTML.esf", kHtml,
                   std::string("emphasis-html-") + scheme + ".bmp") &&
             ok;
        ok = Shoot(out, data, file.c_str(), L"words.pl", "Perl.esf", kPerl,
                   std::string("emphasis-perl-") + scheme + ".bmp") &&
             ok;
        ok = Shoot(out, data, file.c_str(), L"memo.md", "Markdown.esf", kMarkdown,
                   std::string("emphasis-markdown-") + scheme + ".bmp") &&
             ok;
        ok = Shoot(out, data, file.c_str(), L"backup.bat", "bat.esf", kBat, std::string("emphasis-bat-") + scheme + ".bmp") &&
             ok;
        ok = Shoot(out, data, file.c_str(), L"kvte.ini", "ini.esf", kIni, std::string("emphasis-ini-") + scheme + ".bmp") &&
             ok;
    }
    return ok ? 0 : 1;
}
