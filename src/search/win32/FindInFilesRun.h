// Find in files beside the window: the search runs on a worker thread that touches no
// window. It gathers result lines and posts one message to the window it was given at a
// time (the next only after the window took what was found), so the window's queue never
// fills and the window stays free to repaint; the window takes the lines and the progress
// with TakeFindInFilesNews. Cancelling keeps what was found.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "search/FindInFiles.h"

struct FindInFilesRun {
    std::thread worker;
    std::atomic<bool> cancel{false};
    std::atomic<bool> posted{false};  // a message is on its way and not yet answered
    std::mutex lock;                  // guards what follows
    std::string lines;                // result lines not yet taken (InternalText, CR LF)
    std::string currentFile;          // InternalText
    std::size_t filesSearched = 0;
    bool finished = false;
    FileSearchTotals totals;          // set when finished
    unsigned long elapsedMs = 0;

    FindInFilesRun() = default;
    FindInFilesRun(const FindInFilesRun&) = delete;
    FindInFilesRun& operator=(const FindInFilesRun&) = delete;
    ~FindInFilesRun();  // cancels and waits
};

// What the window takes at each message.
struct FindInFilesNews {
    std::string lines;
    std::string currentFile;
    std::size_t filesSearched = 0;
    bool finished = false;
    FileSearchTotals totals;
    unsigned long elapsedMs = 0;
};

// Starts the search of folder (InternalText) after stopping any earlier one; message is
// posted to window (wParam, lParam 0) whenever there is news. False when the folder cannot
// be named or the thread cannot be started.
bool StartFindInFiles(FindInFilesRun& run, HWND window, UINT message, const std::string& folder,
                      const FileSearchRequest& request);
// The news since the last call; allows the next message.
FindInFilesNews TakeFindInFilesNews(FindInFilesRun& run);
// Asks the search to stop; it finishes with what it found (a last message follows).
void CancelFindInFiles(FindInFilesRun& run);
// A search was started and has not been reported finished to the window.
bool IsFindInFilesRunning(const FindInFilesRun& run);
// Stops and waits for the worker (at exit, or before a new search).
void StopFindInFiles(FindInFilesRun& run);

// InternalText of a path the system gives (its short form when InternalText cannot hold it).
std::string InternalPath(const std::filesystem::path& path);
