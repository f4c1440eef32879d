// The application object and the preparation of its settings.
#include "app/KelvaraApp.h"

#include <cstring>
#include <new>

#include "app/Help.h"
#include "platform/ProgramFolder.h"
#include "config/SettingsFile.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"

KelvaraApp theApp;

KelvaraApp::~KelvaraApp()
{
    settings.reset();
    ReleaseFrame(frame);
    ReleaseMarkDrawing(markDrawing);
    search.regex.reset();
    DestroyBar(tabBar);
    ReleasePageTable(options.dialog);
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
    ShowMessage(nullptr, IDS_MSG_SETTINGS_UPGRADED, MB_ICONINFORMATION);
}

}  // namespace

bool PrepareSettings()
{
    std::string folder;
    bool held = GetProgramFolder(folder);
    std::string path = folder + "kvte.ini";
    // A path that does not fit the settings object would be cut into another file's name.
    if (held && path.size() >= sizeof theApp.settings->path) held = false;
    if (!held) folder.clear();

    CopyText(theApp.programFolder, sizeof theApp.programFolder, folder);
    // Without a folder there is no help file to name: help then does nothing.
    CopyText(theApp.helpFilePath, sizeof theApp.helpFilePath, held ? folder + "help.chm" : std::string());
    theApp.helpCookie = InitializeHelp();

    theApp.settings.reset(new (std::nothrow) ProfileFile());
    if (!theApp.settings) return false;
    if (!held) {
        // The settings cannot be kept: run on the defaults of a missing file, as when the
        // folder cannot be written. The profile names no file, so nothing is ever written.
        OpenProfile(*theApp.settings, "", "version");
        ShowMessage(nullptr, IDS_MSG_FOLDER_NOT_HELD, MB_ICONWARNING);
        return true;
    }
    PrepareSettingsFile(*theApp.settings, path.c_str(), &AnnounceUpgrade, nullptr);
    return true;
}
