// The help menu's pages: the help file, its two reference pages, and the project's web
// page and support mail, which the shell opens in the user's own programs.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/Help.h"
#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "resources/resource.h"

namespace {

// A string-table text; empty when it is missing.
std::wstring LoadText(int number)
{
    wchar_t text[1024];
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), text, 1024);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

void OpenWithShell(HWND owner, const std::wstring& target)
{
    if (!target.empty()) ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

HWND Owner(void* context) { return static_cast<KelvaraApp*>(context)->mainWindow; }

}  // namespace

int HelpContentsCommand(void* context, int)
{
    ShowHelp(Owner(context));
    return 0;
}

int ShortcutsPageCommand(void* context, int)
{
    ShowHelpPage(Owner(context),
                 "_RESOURCE\\\x83\x56\x83\x87\x81\x5b\x83\x67\x83\x4a\x83\x62\x83\x67\x83\x4c\x81\x5b"
                 "\x88\xea\x97\x97.html");  // ショートカットキー一覧
    return 0;
}

int FeaturesPageCommand(void* context, int)
{
    ShowHelpPage(Owner(context), "_RESOURCE\\\x8b\x40\x94\x5c\x88\xea\x97\x97.html");  // 機能一覧
    return 0;
}

int WebPageCommand(void* context, int)
{
    OpenProjectWebPage(Owner(context));
    return 0;
}

int MailCommand(void* context, int)
{
    OpenSupportMail(Owner(context));
    return 0;
}

void OpenProjectWebPage(HWND owner) { OpenWithShell(owner, LoadText(IDS_WEB_ADDRESS)); }

void OpenSupportMail(HWND owner)
{
    const std::wstring address = LoadText(IDS_MAIL_ADDRESS);
    if (!address.empty()) OpenWithShell(owner, L"mailto:" + address);
}
