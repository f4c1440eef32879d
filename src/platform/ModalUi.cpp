// Default handlers of the modal-UI seam: the platform's own boxes.
#include "platform/ModalUi.h"

namespace {

int PlatformMessageBox(HWND owner, int, const wchar_t* text, const wchar_t* title, unsigned style)
{
    return MessageBoxW(owner, text, title, style);
}

ModalUiHandlers current = PlatformModalUiHandlers();

}  // namespace

ModalUiHandlers PlatformModalUiHandlers() { return ModalUiHandlers{&PlatformMessageBox}; }

ModalUiHandlers SetModalUiHandlers(const ModalUiHandlers& handlers)
{
    ModalUiHandlers previous = current;
    current = handlers;
    return previous;
}

int ShowMessageBox(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style)
{
    return current.messageBox(owner, number, text, title, style);
}
