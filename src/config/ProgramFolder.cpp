// GetProgramFolder and ShowMessage.
#include "config/ProgramFolder.h"

#include <windows.h>

#include "app/KelvaraApp.h"
#include "app/ModalUi.h"
#include "encoding/WideText.h"

std::string GetProgramFolder()
{
    wchar_t path[MAX_PATH + 1];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return std::string();
    std::wstring wide(path, n);
    size_t slash = wide.find_last_of(L"\\/");
    wide.resize(slash == std::wstring::npos ? 0 : slash + 1);
    std::string folder = InternalFromWide(wide);
    if (folder.size() > 260) return std::string();
    return folder;
}

int ShowMessage(int number, unsigned style)
{
    wchar_t text[1024];
    int n = LoadStringW(theApp.instance ? theApp.instance : GetModuleHandleW(nullptr), static_cast<UINT>(number), text,
                        1024);
    if (n <= 0) text[0] = L'\0';
    return ShowMessageBox(theApp.mainWindow, number, text, L"KelvaraTextEditor", style);
}
