// The main window: its class, its procedure and its creation with its children.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "encoding/EncodingTypes.h"

constexpr wchar_t kMainWindowClass[] = L"KelvaraTextEditorWc";

enum class StartResult {
    Created,     // the main window and its children exist
    HandedOver,  // another instance runs: the path (if any) was handed to it
    Failed,      // a window or object that start-up needs could not be made
};

// Creates the main window and its children, or hands the command line's path over to a
// running instance. commandLine is the text after the program's name.
StartResult CreateMainWindow(HINSTANCE instance, const wchar_t* commandLine, int show);

// The path that the command line names, made absolute by the shell, as InternalText
// (its short form when only that is held); empty when there is none, the shell cannot
// parse it, or InternalText cannot name it.
std::string CommandLinePath(const wchar_t* commandLine);
// Every path the command line names (the grammar of CommandLine.h), each made absolute
// from the current folder, as InternalText. codes, when given, receives for each path
// the encoding a `-code=NAME` before it chose (none: recognised).
std::vector<std::string> CommandLinePaths(const wchar_t* commandLine,
                                          std::vector<std::optional<EncodingCode>>* codes = nullptr);

// What a WM_COPYDATA code 100 request does with its path (InternalText), open mode and
// show-errors flag; the result goes back to the sender. Replaceable so that tests can
// observe requests.
using OpenRequestHandler = int (*)(const char* path, int mode, bool showErrors);
OpenRequestHandler SetOpenRequestHandler(OpenRequestHandler handler);
// The same for code 103, which names the encoding to read the file in.
int OpenRequestedFileAs(const char* path, int mode, bool showErrors, EncodingCode code);

// Lays out the main window's children in a client area width by height (the size
// message's sizeType is passed on to the bars): toolbar, tab bar, current view, status
// bar with its parts; then refreshes the title. The first form measures the client area.
void LayoutMainWindow(HWND window);
void LayoutMainWindow(HWND window, WPARAM sizeType, int width, int height);

// Status bar part 0 while the pointer is over a link of the current view (2025).
void ShowLinkHint(int kind);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
