// KelvaraApp: the one application object. It exists for the whole life of the process
// (a static object, constructed before the entry point and destroyed at exit) and holds
// every piece of state that outlives a single message. Other parts reach shared state
// through theApp; they never keep copies of it.
#pragma once

#include <windows.h>

#include <memory>

#include "config/ProfileFile.h"
#include "regex/KRegExp.h"

struct KelvaraApp {
    char helpFilePath[264] = {};            // programFolder + "help.chm"
    DWORD_PTR helpCookie = 0;               // from the help viewer's initialisation
    std::unique_ptr<ProfileFile> settings;  // "kvte.ini"; every settings read and write
    HWND mainWindow = nullptr;
    HWND toolWindow = nullptr;     // window a running tool announced
    HINSTANCE instance = nullptr;  // resources are loaded from it
    HMENU mainMenu = nullptr;
    HMENU contextMenu = nullptr;        // popup menu of the editing area
    HBITMAP checkMarkBitmap = nullptr;  // drawn beside checked menu entries
    int menuEntryCount = 0;
    int toolbarEntry = 0;
    int statusbarEntry = 0;
    int wrapEntry = 0;
    char programFolder[261] = {};  // drive and folder of the executable, trailing backslash
    bool autoIndent = false;       // [editor1] indent is 1
    bool vsHome = false;           // [editor1] endhome is 1
    char searchText[1024] = {};    // the current search text
    bool searchDown = true;
    bool searchRegex = false;
    std::unique_ptr<CKRegExp> regex{new CKRegExp};  // the one search object
    char fileTypeTexts[2][261] = {};                // working texts of the file-type page
    HPEN crlfMarkPen = nullptr;                     // pen of the owner-drawn line-end mark, made on first use
    bool emphasisActive = false;                    // an emphasis definition has been applied

    KelvaraApp() = default;
    KelvaraApp(const KelvaraApp&) = delete;
    KelvaraApp& operator=(const KelvaraApp&) = delete;
    // Releases what the object owns, in a fixed order: settings, the check-mark bitmap,
    // the context menu, the line-end pen, the search object, and last the help viewer.
    // The menu bar goes with the main window.
    ~KelvaraApp();
};

extern KelvaraApp theApp;

// Creates or upgrades "kvte.ini" beside the executable and creates theApp.settings:
// fills programFolder and helpFilePath and initialises the help viewer first. Shows
// message 9 before upgrading a file that existed. When the program folder cannot be
// named in InternalText (not even by its short form), programFolder and helpFilePath
// stay empty, message 27 says so once, and the settings name no file: every read gives
// 0 or the empty text and nothing is written. False when the settings object cannot be
// made.
bool PrepareSettings();
