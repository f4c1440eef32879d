// KelvaraApp: the one application object. It exists for the whole life of the process
// (a static object, constructed before the entry point and destroyed at exit) and holds
// every piece of state that outlives a single message: a few fields of its own and one
// state record per subsystem. Only src/app touches theApp; it passes each subsystem its
// record.
#pragma once

#include <windows.h>

#include <memory>

#include "app/CommandTable.h"
#include "app/FindInFiles.h"
#include "app/Recovery.h"
#include "app/frame/FrameState.h"
#include "config/ProfileFile.h"
#include "documents/DocumentsState.h"
#include "documents/win32/DocumentWindows.h"
#include "documents/win32/TabBar.h"
#include "emphasis/EmphasisState.h"
#include "emphasis/win32/MarkDrawing.h"
#include "options/win32/OptionsState.h"
#include "search/SearchState.h"
#include "tools/ToolsState.h"
#include "tools/win32/RunningTool.h"

struct KelvaraApp {
    char helpFilePath[264] = {};            // programFolder + "help.chm"
    DWORD_PTR helpCookie = 0;               // from the help viewer's initialisation
    std::unique_ptr<ProfileFile> settings;  // "kvte.ini"; every settings read and write
    HWND mainWindow = nullptr;
    HINSTANCE instance = nullptr;  // resources are loaded from it
    char programFolder[261] = {};  // drive and folder of the executable, trailing backslash
    bool autoIndent = false;       // [editor1] indent is 1
    bool vsHome = false;           // [editor1] endhome is 1

    // One record per subsystem; each subsystem's functions take its record.
    CommandTable commands;  // every subsystem adds its rows at start-up
    FrameState frame;
    DocumentsState documents;
    DocumentWindows documentWindows;  // the documents' views, questions and dialogs
    TabBar tabBar;                    // the documents' tab bar
    SearchState search;
    EmphasisState emphasis;
    MarkDrawing markDrawing;
    ToolsState tools;
    RunningTool runningTool;
    OptionsState options;
    RecoveryRun recovery;
    FindInFilesTab findInFiles;  // the search beside the window and its results tab  // the timer's copy in progress and the writer of the copies

    KelvaraApp() = default;
    KelvaraApp(const KelvaraApp&) = delete;
    KelvaraApp& operator=(const KelvaraApp&) = delete;
    // Releases what the object owns, in a fixed order: settings, the frame's check-mark
    // bitmap and context menu, the line-end pen, the search object, the tab bar with its
    // font (the documents go with their record), the option page table, and last the help
    // viewer. The menu bar goes with the main window.
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
