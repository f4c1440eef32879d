// The creation of the main window with its children, and the hand-over of the command
// line's path to a running instance.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Commands.h"
#include "app/DocumentCommands.h"
#include "app/EditorKeyProc.h"
#include "app/KelvaraApp.h"
#include "app/MainWindowPlacement.h"
#include "app/OpenFileRequest.h"
#include "app/OptionsCommand.h"
#include "app/frame/Menus.h"
#include "app/ToolBarAndStatusBar.h"
#include "documents/OpenFile.h"
#include "platform/HeldPath.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

std::string CommandLinePath(const wchar_t* commandLine)
{
    std::wstring_view line = PathFromCommandLine(std::wstring_view(commandLine ? commandLine : L""));
    if (line.empty() || line.size() > MAX_PATH) return std::string();
    std::wstring text(line);
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return std::string();
    PIDLIST_RELATIVE items = nullptr;
    HRESULT parsed = desktop->ParseDisplayName(nullptr, nullptr, text.data(), nullptr, &items, nullptr);
    desktop->Release();
    if (FAILED(parsed) || items == nullptr) return std::string();
    wchar_t full[MAX_PATH];
    BOOL ok = SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(items), full);
    CoTaskMemFree(items);
    if (!ok) return std::string();
    // A path that InternalText cannot name (nor its short form) counts as no path.
    std::string path;
    if (HoldPath(full, path) == PathHold::NotHeld) return std::string();
    return path.size() <= MAX_PATH ? path : std::string();
}

std::vector<std::string> CommandLinePaths(const wchar_t* commandLine, std::vector<std::optional<EncodingCode>>* codes)
{
    const std::wstring_view line(commandLine ? commandLine : L"");
    auto namesFile = [](std::wstring_view name) {
        const DWORD attributes = GetFileAttributesW(std::wstring(name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    std::vector<std::string> paths;
    const std::vector<std::wstring> names = PathsFromCommandLine(line, namesFile);
    if (names.size() == 1 && namesFile(PathFromCommandLine(line))) {
        std::string path = CommandLinePath(commandLine);
        if (!path.empty()) paths.push_back(std::move(path));
        if (codes) codes->assign(paths.size(), std::nullopt);
        return paths;
    }
    if (codes) codes->clear();
    for (const CommandLineFile<wchar_t>& file : FilesOfCommandLine(names)) {
        const std::wstring& name = file.path;
        // Relative to the current folder, as the shell that started the program means it.
        wchar_t full[MAX_PATH];
        const DWORD length = GetFullPathNameW(name.c_str(), MAX_PATH, full, nullptr);
        std::string path;
        // A name that cannot be held still opens a tab that says so.
        if (length == 0 || length >= MAX_PATH || HoldPath(full, path) == PathHold::NotHeld) path = InternalFromWide(name);
        if (path.empty() || path.size() > MAX_PATH) continue;
        paths.push_back(std::move(path));
        if (codes) codes->push_back(file.code);
    }
    return paths;
}

namespace {

// The open mode of each path: one path opens as any open does; several each take a tab of
// their own (the untitled tab first, when it is unused).
int ModeForPaths(std::size_t count) { return count > 1 ? kOpenModeReuseUntitled : kOpenModeNormal; }

// A running instance gets the path as an open request; true when one was found.
bool HandOverToRunningInstance(const std::string& path, int mode, std::optional<EncodingCode> code = std::nullopt)
{
    HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (running == nullptr) return false;
    if (path.empty()) return true;
    // The request carries the path in the ANSI code page; a path that code page cannot
    // spell goes by its short form, or not at all (it would open another file).
    std::string ansi;
    if (!AnsiPathOf(WideFromInternal(path), ansi)) return true;
    OpenFileRequest request;
    if (!MakeOpenFileRequest(ansi, mode, true, request)) return true;
    COPYDATASTRUCT data{COPYDATA_OPEN_FILE, sizeof request, &request};
    // A chosen encoding goes in its own record; code 100 stays as other programs know it.
    OpenFileAsRequest requestAs;
    if (code && MakeOpenFileAsRequest(ansi, mode, true, kEncodingChoices[EncodingChoiceIndex(*code)].name, requestAs))
        data = COPYDATASTRUCT{COPYDATA_OPEN_FILE_AS, sizeof requestAs, &requestAs};
    // This copy was started by the user, so it may pass the right to come to the front on
    // to the running copy, which brings itself forward once the file is open.
    DWORD runningProcess = 0;
    if (GetWindowThreadProcessId(running, &runningProcess) != 0) AllowSetForegroundWindow(runningProcess);
    SendMessageW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    return true;
}

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAIN));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAIN), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

StartResult CreateMainWindow(HINSTANCE instance, const wchar_t* commandLine, int show)
{
    theApp.instance = instance;
    std::vector<std::optional<EncodingCode>> codes;
    const std::vector<std::string> paths = CommandLinePaths(commandLine, &codes);
    const int mode = ModeForPaths(paths.size());
    if (FindWindowW(kMainWindowClass, nullptr) != nullptr) {
        if (paths.empty()) HandOverToRunningInstance(std::string(), mode);
        for (std::size_t i = 0; i < paths.size(); ++i) HandOverToRunningInstance(paths[i], mode, codes[i]);
        return StartResult::HandedOver;
    }

    if (!RegisterMainWindowCommands(theApp)) return StartResult::Failed;

    theApp.frame.checkMarkBitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_CHECKMARK), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ProfileFile& settings = *theApp.settings;
    // Without its entry table the window is made without a menu bar.
    BuildMenus(theApp.frame, instance, settings);
    if (!RegisterMainWindowClass(instance)) return StartResult::Failed;

    SetSection(settings, "main");
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (GetInt(settings, "windows") != 1) {
        x = GetInt(settings, "x");
        y = GetInt(settings, "y");
        width = GetInt(settings, "width");
        height = GetInt(settings, "height");
        // Settings that could not be read at all say 0 everywhere: a window of no size
        // in the corner would look like no window. The system's place and size instead.
        if (width <= 0 || height <= 0) x = y = width = height = CW_USEDEFAULT;
    }
    ChooseMainWindowPlacement(settings, x, y, width, height, show);
    theApp.mainWindow = CreateWindowExW(0, kMainWindowClass, L"kvte", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                                        theApp.frame.mainMenu, instance, nullptr);
    if (theApp.mainWindow == nullptr) return StartResult::Failed;
    DragAcceptFiles(theApp.mainWindow, TRUE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    if (!CreateDocumentWindows(theApp)) return StartResult::Failed;
    if (HDC screen = GetDC(theApp.mainWindow)) {
        theApp.frame.dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(theApp.mainWindow, screen);
    }
    if (!CreateBars(theApp)) return StartResult::Failed;
    if (!PrepareOptionPages(theApp)) return StartResult::Failed;

    SetSection(settings, "editor1");
    theApp.autoIndent = GetInt(settings, "indent") == 1;
    theApp.vsHome = GetInt(settings, "endhome") == 1;
    InstallEditorKeys(theApp);

    UpdateTitle();
    LayoutMainWindow(theApp.mainWindow);
    ShowWindow(theApp.mainWindow, show);
    UpdateWindow(theApp.mainWindow);
    // The window exists whatever becomes of the file: a failure is reported by the open.
    for (std::size_t i = 0; i < paths.size(); ++i) OpenFile(theApp.documents, paths[i], mode, true, codes[i]);
    return StartResult::Created;
}
