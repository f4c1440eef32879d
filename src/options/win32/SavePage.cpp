// The page "保存": the line ending and the encoding that saving writes, and whether the
// UTF-16 and UTF-8 files start with a byte-order mark. Section "main".
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"

namespace {

constexpr RadioValue kRetline[] = {
    {IDC_SAVE_RETLINE_AUTO, 4},
    {IDC_SAVE_RETLINE_CRLF, 1},
    {IDC_SAVE_RETLINE_CR, 2},
    {IDC_SAVE_RETLINE_LF, 3},
};
constexpr RadioValue kKanji[] = {
    {IDC_SAVE_KANJI_AUTO, 0},  {IDC_SAVE_KANJI_SJIS, 1},  {IDC_SAVE_KANJI_EUC, 2},
    {IDC_SAVE_KANJI_JIS, 3},   {IDC_SAVE_KANJI_UTF16, 4}, {IDC_SAVE_KANJI_UTF8, 5},
};
constexpr CheckKey kBom[] = {
    {IDC_SAVE_UTF16_BOM, "utf16_bom"},
    {IDC_SAVE_UTF8_BOM, "utf8_bom"},
};
constexpr int kUtf16 = 4;
constexpr int kUtf8 = 5;

// Only the box of the chosen Unicode encoding can be changed; its tick stays either way.
void EnableBom(HWND page, int kanji)
{
    EnableControl(page, IDC_SAVE_UTF16_BOM, kanji == kUtf16);
    EnableControl(page, IDC_SAVE_UTF8_BOM, kanji == kUtf8);
}

void Initialise(HWND page)
{
    ProfileFile* settings = SettingsOfPage(page);
    if (settings == nullptr) return;
    SetSection(*settings, "main");
    TickRadio(page, kRetline, 4, GetInt(*settings, "retline"));
    const int kanji = GetInt(*settings, "kanji");
    TickRadio(page, kKanji, 6, kanji);
    ShowCheckKeys(page, *settings, kBom, 2);
    EnableBom(page, kanji);
}

void Apply(HWND page)
{
    ProfileBatch batch;
    BeginPage(page, batch);
    SetSection(batch, "main");
    int value = 0;
    if (TickedRadio(page, kRetline, 4, value)) WriteInt(batch, "retline", value);
    if (TickedRadio(page, kKanji, 6, value)) WriteInt(batch, "kanji", value);
    WriteCheckKeys(page, batch, kBom, 2);
    CommitPage(page, batch);
}

INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_COMMAND:
        for (const RadioValue& button : kKanji) {
            if (button.control == LOWORD(wParam)) {
                EnableBom(page, button.value);
                return TRUE;
            }
        }
        return FALSE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\保存設定.html");
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(page);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK SavePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
