// The descriptions of the pages whose values are all in their tables: what each adds to
// its table (the manifest, the controls that follow a radio group, the buttons that set
// several controls at once) and its help topic.
#include <windows.h>

#include <commctrl.h>

#include "options/win32/Manifest.h"
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "resources/resource.h"

namespace {

// ---- 全般: the manifest for the visual styles, and where the main window starts ----

std::wstring ManifestPathOf(HWND page)
{
    const OptionsHost* host = HostOfPage(page);
    if (host && !host->manifestPath.empty()) return host->manifestPath;
    return ProgramManifestPath();
}

// The four place fields are only for a place of the program's own choosing.
void EnablePlace(HWND page)
{
    const bool own = !IsTicked(page, IDC_GENERAL_SYSTEM_PLACE);
    for (int control : {IDC_GENERAL_X_EDIT, IDC_GENERAL_X_SPIN, IDC_GENERAL_Y_EDIT, IDC_GENERAL_Y_SPIN,
                        IDC_GENERAL_WIDTH_EDIT, IDC_GENERAL_WIDTH_SPIN, IDC_GENERAL_HEIGHT_EDIT,
                        IDC_GENERAL_HEIGHT_SPIN}) {
        EnableControl(page, control, own);
    }
}

void InitialiseGeneral(HWND page)
{
    SetTicked(page, IDC_GENERAL_LUNA, ManifestExists(ManifestPathOf(page)));
    EnablePlace(page);
}

bool GeneralCommand(HWND page, int control)
{
    if (control != IDC_GENERAL_SYSTEM_PLACE && control != IDC_GENERAL_OWN_PLACE) return false;
    EnablePlace(page);
    return true;
}

// The manifest changes only when the box and the file disagree; the message is shown
// whether or not the file could be written or deleted.
bool ApplyManifest(HWND page)
{
    const std::wstring path = ManifestPathOf(page);
    const bool wanted = IsTicked(page, IDC_GENERAL_LUNA);
    const bool exists = ManifestExists(path);
    if (wanted && !exists) {
        WriteManifest(path);
        ShowPageMessage(page, IDS_MSG_LUNA_ON, MB_ICONINFORMATION);
    } else if (!wanted && exists) {
        DeleteManifest(path);
        ShowPageMessage(page, IDS_MSG_LUNA_OFF, MB_ICONINFORMATION);
    }
    return true;
}

// ---- 保存: only the box of the chosen Unicode encoding can be changed ----

constexpr int kKanjiButtons[] = {IDC_SAVE_KANJI_AUTO, IDC_SAVE_KANJI_SJIS,  IDC_SAVE_KANJI_EUC,
                                 IDC_SAVE_KANJI_JIS,  IDC_SAVE_KANJI_UTF16, IDC_SAVE_KANJI_UTF8};

// The tick of a box stays whether or not it can be changed.
void EnableBom(HWND page, int kanjiButton)
{
    EnableControl(page, IDC_SAVE_UTF16_BOM, kanjiButton == IDC_SAVE_KANJI_UTF16);
    EnableControl(page, IDC_SAVE_UTF8_BOM, kanjiButton == IDC_SAVE_KANJI_UTF8);
}

void InitialiseSave(HWND page)
{
    int ticked = 0;
    for (int button : kKanjiButtons) {
        if (IsTicked(page, button)) {
            ticked = button;
            break;
        }
    }
    EnableBom(page, ticked);
}

bool SaveCommand(HWND page, int control)
{
    for (int button : kKanjiButtons) {
        if (button == control) {
            EnableBom(page, button);
            return true;
        }
    }
    return false;
}

// ---- マーク設定: two buttons tick or clear all six marks ----

bool MarksCommand(HWND page, int control)
{
    if (control != IDC_MARKS_SHOW_ALL && control != IDC_MARKS_HIDE_ALL) return false;
    for (int i = 0; i < 6; ++i) SetTicked(page, IDC_MARKS_LINE_END + i, control == IDC_MARKS_SHOW_ALL);
    return true;
}

// ---- タブの設定: the default width button ----

bool TabsCommand(HWND page, int control)
{
    if (control != IDC_TABS_DEFAULT_WIDTH) return false;
    SendDlgItemMessageW(page, IDC_TABS_WIDTH_SPIN, UDM_SETPOS32, 0, 120);
    return true;
}

}  // namespace

const PageDescription kGeneralPage = {&kGeneralTable, L"_RESOURCE\\全般設定.html", false, &InitialiseGeneral,
                                      &GeneralCommand, &ApplyManifest, nullptr, nullptr};
const PageDescription kConfirmPage = {&kConfirmTable, L"_RESOURCE\\確認設定.html", false,
                                      nullptr,        nullptr,                     nullptr, nullptr, nullptr};
const PageDescription kSavePage = {&kSaveTable, L"_RESOURCE\\保存設定.html", false, &InitialiseSave, &SaveCommand,
                                   nullptr,     nullptr,                    nullptr};
const PageDescription kEditorPage = {&kEditorTable, L"_RESOURCE\\エディタの設定.html", false,
                                     nullptr,       nullptr,                          nullptr, nullptr, nullptr};
const PageDescription kMarksPage = {&kMarksTable, L"_RESOURCE\\マーク色設定.html", false, nullptr, &MarksCommand,
                                    nullptr,      nullptr,                         nullptr};
// No help topic.
const PageDescription kClickablePage = {&kClickableTable, nullptr, false, nullptr, nullptr, nullptr, nullptr, nullptr};
// A bad width is told after the rest of the page is written.
const PageDescription kTabsPage = {&kTabsTable, L"_RESOURCE\\タブ.html", true, nullptr, &TabsCommand,
                                   nullptr,     nullptr,                 nullptr};
const PageDescription kSafetyPage = {&kSafetyTable, L"_RESOURCE\\ファイルの安全.html", false,
                                     nullptr,       nullptr,                          nullptr, nullptr, nullptr};
