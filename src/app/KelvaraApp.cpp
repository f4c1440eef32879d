// The application object and the preparation of its settings.
#include "app/KelvaraApp.h"

#include <cstring>
#include <new>

#include "app/Help.h"
#include "platform/ProgramFolder.h"
#include "platform/ShowMessage.h"
#include "config/SettingsFile.h"

KelvaraApp theApp;

KelvaraApp::~KelvaraApp()
{
    settings.reset();
    if (checkMarkBitmap) DeleteObject(checkMarkBitmap);
    if (contextMenu) DestroyMenu(contextMenu);
    if (crlfMarkPen) DeleteObject(crlfMarkPen);
    regex.reset();
    UninitializeHelp(helpCookie);
}

namespace {

void CopyText(char* field, size_t size, const std::string& text)
{
    size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

void AnnounceUpgrade(void*)
{
    // The main window does not exist yet: the box has no owner.
    ShowMessage(nullptr, 9, MB_ICONINFORMATION);
}

}  // namespace

bool PrepareSettings()
{
    std::string folder = GetProgramFolder();
    CopyText(theApp.programFolder, sizeof theApp.programFolder, folder);
    CopyText(theApp.helpFilePath, sizeof theApp.helpFilePath, folder + "help.chm");
    theApp.helpCookie = InitializeHelp();

    theApp.settings.reset(new (std::nothrow) ProfileFile());
    if (!theApp.settings) return false;
    std::string path = folder + "kvte.ini";
    PrepareSettingsFile(*theApp.settings, path.c_str(), &AnnounceUpgrade, nullptr);
    return true;
}
