// The title and the document's status parts.
#include "app/frame/Title.h"

#include <cwchar>
#include <string_view>

#include "encoding/EncodingTypes.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// The version in the title; printed with two decimals.
constexpr double kVersion = 3.36;

std::wstring WideLabel(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

std::wstring MainWindowTitle(const Document& document)
{
    const wchar_t* protection = document.writable ? L"" : L"(書込禁止)";
    const wchar_t* mark = document.modified ? L"*" : L"";
    const std::wstring name = document.filePath.empty() ? L"無題" : WideFromInternal(document.filePath);
    wchar_t tail[64];
    std::swprintf(tail, sizeof tail / sizeof tail[0], L"%ls %ls - KelvaraTextEditorVer%.2f", protection, mark,
                  kVersion);
    return name + tail;
}

const wchar_t* LineEndingLabel(int lineEnding)
{
    switch (lineEnding) {
    case 1:
        return L"CRLF";
    case 2:
        return L"CR";
    case 3:
        return L"LF";
    default:
        return nullptr;
    }
}

std::wstring CaretStatusText(int line, int column)
{
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof text[0], L"%d行：%d桁", line, column + 1);
    return text;
}

void ShowCaretStatus(const StatusBar& bar, int view)
{
    SetStatusBarText(bar, kStatusCaret, CaretStatusText(GetCaretLine(view), GetCaretColumn(view)).c_str());
}

void ShowDocumentTitle(HWND mainWindow, const StatusBar& bar, const Document& document, int view)
{
    SetStatusBarText(bar, kStatusWrap, document.wrapped ? L"折返" : L"");
    SetStatusBarText(bar, kStatusWriteProtect, document.writable ? L"" : L"書禁");
    if (const wchar_t* ending = LineEndingLabel(GetLineEnding(view))) SetStatusBarText(bar, kStatusLineEnding, ending);
    SetStatusBarText(bar, kStatusEncoding, WideLabel(EncodingCodeLabel(document.encoding)).c_str());
    ShowCaretStatus(bar, view);
    if (mainWindow) SetWindowTextW(mainWindow, MainWindowTitle(document).c_str());
}
