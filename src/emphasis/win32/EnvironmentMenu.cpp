// EnvironmentMenu: the toolbar's popup of environments.
#include "emphasis/win32/EnvironmentMenu.h"

#include <commctrl.h>

#include "emphasis/ColourFile.h"
#include "emphasis/EmphasisLoader.h"
#include "platform/FolderNames.h"
#include "platform/WideText.h"

namespace {

int TrackWithSystem(HMENU menu, int x, int y, HWND owner, const RECT& exclude)
{
    TPMPARAMS params{sizeof params, exclude};
    return static_cast<int>(TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_RETURNCMD, x, y,
                                             owner, &params));
}

EnvironmentMenuTracker& Tracker()
{
    static EnvironmentMenuTracker tracker = &TrackWithSystem;
    return tracker;
}

// The prompt in the status bar's whole-bar text while the menu is open.
void ShowPrompt(HWND statusBar, const wchar_t* text)
{
    if (statusBar == nullptr) return;
    SendMessageW(statusBar, SB_SIMPLE, text != nullptr, 0);
    SendMessageW(statusBar, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text ? text : L""));
}

}  // namespace

std::vector<std::string> ListEnvironmentFiles(const char* programFolder)
{
    return ListFolderNames(DataFilePath(programFolder, "esf", "*.esf"));
}

void EnvironmentMenu(EmphasisState& state, int view, const EnvironmentMenuPlace& place)
{
    RECT button = {};
    if (place.toolBar == nullptr ||
        !SendMessageW(place.toolBar, TB_GETRECT, static_cast<WPARAM>(place.button), reinterpret_cast<LPARAM>(&button))) {
        return;
    }
    MapWindowPoints(place.toolBar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    ShowPrompt(place.statusBar, L"設定する環境を選択してください。");

    HMENU menu = CreatePopupMenu();
    std::vector<std::string> labels;
    if (menu) {
        AppendMenuW(menu, MF_STRING, ENVIRONMENT_PLAIN_TEXT, L"通常のテキスト");
        for (const std::string& name : ListEnvironmentFiles(state.programFolder)) {
            // The label is the name without its last four characters, the ".esf".
            std::string label = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
            labels.push_back(label);
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(ENVIRONMENT_FIRST_FILE - 1 + labels.size()),
                        WideFromInternal(label).c_str());
        }
        int chosen = Tracker()(menu, button.left, button.bottom, place.owner, button);
        if (chosen == ENVIRONMENT_PLAIN_TEXT) {
            if (state.host.clearEmphasis) state.host.clearEmphasis(state.host.context, view, 1);
            state.active = false;
        } else if (chosen >= ENVIRONMENT_FIRST_FILE &&
                   static_cast<size_t>(chosen - ENVIRONMENT_FIRST_FILE) < labels.size()) {
            LoadEmphasisFile(state, view, (labels[chosen - ENVIRONMENT_FIRST_FILE] + ".esf").c_str());
        }
        DestroyMenu(menu);
    }
    ShowPrompt(place.statusBar, nullptr);
}

EnvironmentMenuTracker SetEnvironmentMenuTracker(EnvironmentMenuTracker tracker)
{
    EnvironmentMenuTracker previous = Tracker();
    Tracker() = tracker ? tracker : &TrackWithSystem;
    return previous;
}
