// The page "全般": the manifest for the visual styles, activation on a handed-over file,
// automatic recognition of the encoding, and where the main window starts. Section "main".
#include "options/win32/Manifest.h"
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "resources/resource.h"

namespace {

constexpr CheckKey kKeys[] = {
    {IDC_GENERAL_ACTIVATE, "FileWindowActive"},
    {IDC_GENERAL_AUTO_KANJI, "auto_kanji"},
};

struct PlaceField {
    int edit;
    int spin;
    const char* key;
};
constexpr PlaceField kPlace[] = {
    {IDC_GENERAL_X_EDIT, IDC_GENERAL_X_SPIN, "x"},
    {IDC_GENERAL_Y_EDIT, IDC_GENERAL_Y_SPIN, "y"},
    {IDC_GENERAL_WIDTH_EDIT, IDC_GENERAL_WIDTH_SPIN, "width"},
    {IDC_GENERAL_HEIGHT_EDIT, IDC_GENERAL_HEIGHT_SPIN, "height"},
};
constexpr int kPlaceLimit = 2000;

std::wstring ManifestPathOf(HWND page)
{
    const OptionsHost* host = HostOfPage(page);
    if (host && !host->manifestPath.empty()) return host->manifestPath;
    return ProgramManifestPath();
}

// The four fields are only for a place of the program's own choosing.
void EnablePlace(HWND page)
{
    const bool own = !IsTicked(page, IDC_GENERAL_SYSTEM_PLACE);
    for (const PlaceField& field : kPlace) {
        EnableControl(page, field.edit, own);
        EnableControl(page, field.spin, own);
    }
}

void Initialise(HWND page)
{
    SetTicked(page, IDC_GENERAL_LUNA, ManifestExists(ManifestPathOf(page)));
    ProfileFile* settings = SettingsOfPage(page);
    if (settings == nullptr) return;
    SetSection(*settings, "main");
    ShowCheckKeys(page, *settings, kKeys, 2);
    const bool system = GetInt(*settings, "windows") == 1;
    SetTicked(page, IDC_GENERAL_SYSTEM_PLACE, system);
    SetTicked(page, IDC_GENERAL_OWN_PLACE, !system);
    for (const PlaceField& field : kPlace) {
        SetUpSpin(page, field.spin, field.edit, 0, kPlaceLimit, GetInt(*settings, field.key));
    }
    EnablePlace(page);
}

// The manifest changes only when the box and the file disagree; the message is shown
// whether or not the file could be written or deleted.
void ApplyManifest(HWND page)
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
}

void Apply(HWND page)
{
    ApplyManifest(page);
    ProfileBatch batch;
    BeginPage(page, batch);
    SetSection(batch, "main");
    WriteCheckKeys(page, batch, kKeys, 2);
    WriteInt(batch, "windows", IsTicked(page, IDC_GENERAL_SYSTEM_PLACE) ? 1 : 0);
    for (const PlaceField& field : kPlace) {
        // A box that holds no number from the range keeps the spin's last valid position.
        int value = 0;
        if (!ReadWholeNumber(page, field.edit, 0, kPlaceLimit, value)) value = SpinPosition(page, field.spin);
        WriteInt(batch, field.key, value);
    }
    CommitPage(page, batch);
}

INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_GENERAL_SYSTEM_PLACE || LOWORD(wParam) == IDC_GENERAL_OWN_PLACE) {
            EnablePlace(page);
            return TRUE;
        }
        return FALSE;
    case WM_OPTION_HELP:
        ShowPageHelp(page, L"_RESOURCE\\全般設定.html");
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(page);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return GuardedPage<&Handle>(page, message, wParam, lParam);
}
