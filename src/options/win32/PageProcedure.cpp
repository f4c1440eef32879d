// The one page procedure of the options pages, and the view of a page's controls that
// their tables read and write through.
#include <windows.h>

#include <commctrl.h>

#include "emphasis/ColourFile.h"
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "platform/FolderNames.h"
#include "platform/WideText.h"

namespace {

class DialogPageView : public PageView {
public:
    explicit DialogPageView(HWND page) : page_(page) {}
    bool IsTicked(int control) const override { return ::IsTicked(page_, control); }
    void SetTicked(int control, bool ticked) override { ::SetTicked(page_, control, ticked); }
    void SetUpNumber(int edit, int spin, int low, int high, int position) override
    {
        SetUpSpin(page_, spin, edit, low, high, position);
    }
    std::string Text(int edit) const override
    {
        HWND box = GetDlgItem(page_, edit);
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(box, &text[0], static_cast<int>(text.size()))));
        return InternalFromWide(text);
    }
    int SpinPosition(int spin) const override { return ::SpinPosition(page_, spin); }
    void FillNames(int list, const char* folder, const char* pattern, const std::string& chosen) override
    {
        const OptionsHost* host = HostOfPage(page_);
        const char* programFolder = host ? host->programFolder : "";
        FillCombo(page_, list, ListFolderNames(DataFilePath(programFolder, folder, pattern)), chosen);
    }
    bool Selection(int list, std::string& text) const override { return ComboSelection(page_, list, text); }

private:
    HWND page_;
};

void ShowComplaints(HWND page, const std::vector<int>& complaints)
{
    for (int number : complaints) ShowPageMessage(page, number, MB_ICONERROR);
}

void Initialise(const PageDescription& description, HWND page)
{
    if (description.table) {
        if (ProfileFile* settings = SettingsOfPage(page)) {
            DialogPageView view(page);
            LoadPage(*description.table, *settings, view);
        }
    }
    if (description.initialise) description.initialise(page);
}

void Apply(const PageDescription& description, HWND page)
{
    if (description.beforeWrite && !description.beforeWrite(page)) return;
    ProfileBatch batch;
    BeginPage(page, batch);
    std::vector<int> complaints;
    if (description.table) {
        OptionsDialog* options = OptionsOfPage(page);
        OptionsChoices unused;
        complaints = SavePage(*description.table, DialogPageView(page), batch, options ? options->chosen : unused);
    }
    if (description.write) description.write(page, batch);
    if (!description.complaintsAfterWrite) ShowComplaints(page, complaints);
    CommitPage(page, batch);
    if (description.complaintsAfterWrite) ShowComplaints(page, complaints);
}

INT_PTR Handle(const PageDescription& description, HWND page, UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise(description, page);
        return TRUE;
    case WM_COMMAND:
        return description.command && description.command(page, LOWORD(wParam));
    case WM_OPTION_HELP:
        if (description.helpTopic == nullptr) return FALSE;
        ShowPageHelp(page, description.helpTopic);
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(description, page);
        return TRUE;
    case WM_NCDESTROY:
        if (description.destroy) description.destroy(page);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunPage(const PageDescription& description, HWND page, UINT message, WPARAM wParam, LPARAM)
{
    try {
        return Handle(description, page, message, wParam);
    } catch (...) {
        ReportPageFailure(page);
        return FALSE;
    }
}
