// The page "エディタ": tab width, line spacing, colour file, the views' switches and the
// OLE drag-and-drop mode. Section "editor1".
#include "emphasis/ColourFile.h"
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "platform/FolderNames.h"
#include "resources/resource.h"
#include "textcontrol/model/OleModes.h"

namespace {

constexpr CheckKey kKeys[] = {
    {IDC_EDITOR_RULER, "Ruler"},      {IDC_EDITOR_LINE_NUMBERS, "LineNum"},
    {IDC_EDITOR_OWN_LINE_END, "owndraw"}, {IDC_EDITOR_INDENT, "indent"},
    {IDC_EDITOR_END_HOME, "endhome"}, {IDC_EDITOR_UNDO, "undo"},
    {IDC_EDITOR_SELECT_NUMBERS, "sel_numalpha"},
};
constexpr size_t kCount = sizeof kKeys / sizeof kKeys[0];

// [editor1] ole holds the views' drag-and-drop bits.
using kvte::textcontrol::kOleByCtrlKey;
using kvte::textcontrol::kOleCopy;
using kvte::textcontrol::kOleMove;
using kvte::textcontrol::kOleRefuseDrags;
using kvte::textcontrol::kOleRefuseDrops;

struct NumberField {
    int edit;
    int spin;
    const char* key;
    int low;
    int high;
    int badMessage;
};
constexpr NumberField kTabSize = {IDC_EDITOR_TAB_EDIT, IDC_EDITOR_TAB_SPIN, "nTab", 1, 8, IDS_MSG_BAD_TAB_SIZE};
constexpr NumberField kLineSpace = {IDC_EDITOR_SPACE_EDIT, IDC_EDITOR_SPACE_SPIN, "linespace", 0, 5,
                                    IDS_MSG_BAD_LINE_SPACE};

void ShowOle(HWND page, int ole)
{
    const int mode = (ole & kOleMove) ? IDC_EDITOR_OLE_CUT : (ole & kOleCopy) ? IDC_EDITOR_OLE_COPY : IDC_EDITOR_OLE_CONTROL;
    SetTicked(page, IDC_EDITOR_OLE_CUT, mode == IDC_EDITOR_OLE_CUT);
    SetTicked(page, IDC_EDITOR_OLE_COPY, mode == IDC_EDITOR_OLE_COPY);
    SetTicked(page, IDC_EDITOR_OLE_CONTROL, mode == IDC_EDITOR_OLE_CONTROL);
    SetTicked(page, IDC_EDITOR_OLE_ACCEPT, !(ole & kOleRefuseDrops));
    SetTicked(page, IDC_EDITOR_OLE_OFFER, !(ole & kOleRefuseDrags));
}

int OleOf(HWND page)
{
    int ole = IsTicked(page, IDC_EDITOR_OLE_CUT) ? kOleMove : IsTicked(page, IDC_EDITOR_OLE_COPY) ? kOleCopy : kOleByCtrlKey;
    if (!IsTicked(page, IDC_EDITOR_OLE_ACCEPT)) ole += kOleRefuseDrops;
    if (!IsTicked(page, IDC_EDITOR_OLE_OFFER)) ole += kOleRefuseDrags;
    return ole;
}

void Initialise(HWND page)
{
    ProfileFile* settings = SettingsOfPage(page);
    const OptionsHost* host = HostOfPage(page);
    if (settings == nullptr || host == nullptr) return;
    SetSection(*settings, "editor1");
    for (const NumberField* field : {&kTabSize, &kLineSpace}) {
        SetUpSpin(page, field->spin, field->edit, field->low, field->high, GetInt(*settings, field->key));
    }
    ShowCheckKeys(page, *settings, kKeys, kCount);
    ShowOle(page, GetInt(*settings, "ole"));
    char chosen[1024] = {};
    GetString(*settings, "ColorFile", chosen, sizeof chosen);
    FillCombo(page, IDC_EDITOR_COLOR_FILE, ListFolderNames(DataFilePath(host->programFolder, "color", "*.ini")),
              chosen);
}

// A number outside its range (or no number) keeps the stored value, with its message.
void WriteNumber(HWND page, ProfileBatch& batch, const NumberField& field)
{
    int value = 0;
    if (ReadWholeNumber(page, field.edit, field.low, field.high, value)) {
        WriteInt(batch, field.key, value);
    } else {
        ShowPageMessage(page, field.badMessage, MB_ICONERROR);
    }
}

void Apply(HWND page)
{
    ProfileBatch batch;
    BeginPage(page, batch);
    SetSection(batch, "editor1");
    WriteNumber(page, batch, kTabSize);
    WriteNumber(page, batch, kLineSpace);
    std::string colorFile;
    if (ComboSelection(page, IDC_EDITOR_COLOR_FILE, colorFile)) WriteString(batch, "ColorFile", colorFile.c_str());
    WriteCheckKeys(page, batch, kKeys, kCount);
    WriteInt(batch, "ole", OleOf(page));
    CommitPage(page, batch);
    if (const OptionsHost* host = HostOfPage(page)) {
        if (host->autoIndent) *host->autoIndent = IsTicked(page, IDC_EDITOR_INDENT);
        if (host->vsHome) *host->vsHome = IsTicked(page, IDC_EDITOR_END_HOME);
    }
}

INT_PTR Handle(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\エディタの設定.html");
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(page);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK EditorPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
