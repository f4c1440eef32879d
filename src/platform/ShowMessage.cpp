// ShowMessage: string-table messages through the modal-UI seam.
#include "platform/ShowMessage.h"

#include "platform/ModalUi.h"

int ShowMessage(HWND owner, int number, unsigned style)
{
    wchar_t text[1024];
    // The string table is linked into the executable itself.
    int n = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), text, 1024);
    if (n <= 0) text[0] = L'\0';
    return ShowMessageBox(owner, number, text, L"KelvaraTextEditor", style);
}
