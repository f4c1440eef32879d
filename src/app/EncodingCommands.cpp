// The encoding commands of the main window.
#include <string>

#include "app/KelvaraApp.h"
#include "app/ShellCommands.h"
#include "documents/win32/EncodingDialogs.h"
#include "resources/resource.h"

int ReopenInEncodingCommand(void* context, int)
{
    KelvaraApp& app = *static_cast<KelvaraApp*>(context);
    ReopenCurrentInChosenEncoding(app.documentWindows, app.instance);
    return 0;
}

void ShowLostCharacters(long long count)
{
    wchar_t format[256];
    if (LoadStringW(theApp.instance, IDS_NOTICE_TEXT_LOST, format, 256) <= 0) return;
    std::wstring text = format;
    const std::size_t at = text.find(L"%d");
    if (at != std::wstring::npos) text.replace(at, 2, std::to_wstring(count));
    ShowStatusNotice(theApp.frame.statusBar, text.c_str());
}
