// The main window procedure and the creation of the main window with its children.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <exception>
#include <string>

#include "app/CommandLine.h"
#include "app/KelvaraApp.h"
#include "app/OpenFileRequest.h"
#include "platform/HeldPath.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// Until there is a document list, view 0 is the current view.
constexpr int kCurrentView = 0;

// Until documents can be opened, a request is answered "could not be opened".
int RefuseOpenRequest(const char*, int, bool) { return 3; }

OpenRequestHandler openRequestHandler = &RefuseOpenRequest;

// Text that another process sent in the system ANSI code page, as InternalText.
std::string InternalFromAnsi(std::string_view ansi)
{
    if (ansi.empty()) return std::string();
    int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (units <= 0) return std::string();
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), units);
    return InternalFromWide(wide);
}

LRESULT OnCopyData(const COPYDATASTRUCT* data)
{
    if (data == nullptr) return 0;
    switch (data->dwData) {
    case COPYDATA_OPEN_FILE: {
        OpenFileRequest request;
        if (!ReadOpenFileRequest(data->lpData, data->cbData, request)) return 3;
        std::string path = InternalFromAnsi(request.path);
        return openRequestHandler(path.c_str(), request.mode, request.showErrors != 0);
    }
    case COPYDATA_INSERT_TEXT:
    case COPYDATA_REPLACE_TEXT: {
        std::string_view ansi;
        if (!ReadCopyDataText(data->lpData, data->cbData, ansi)) return 0;
        std::string text = InternalFromAnsi(ansi);
        if (data->dwData == COPYDATA_INSERT_TEXT) {
            InsertText(kCurrentView, text.c_str());
            return 0;
        }
        return SetText(kCurrentView, text.c_str());
    }
    default:
        return 0;
    }
}

void FillClientWithView(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    MoveView(0, 0, 0, client.right - client.left, client.bottom - client.top);
}

// The commands that go straight to the current view's editing operations. The
// accelerators turn Ctrl+C, Ctrl+Z and the like into these, so every one of them must
// have a handler or the key would do nothing at all.
struct ViewCommand {
    WORD id;
    void (*operation)(int view);
};

constexpr ViewCommand kViewCommands[] = {
    {IDM_EDIT_COPY, &Copy},         {IDM_EDIT_CUT, &Cut},
    {IDM_EDIT_PASTE, &Paste},       {IDM_EDIT_UNDO, &Undo},
    {IDM_EDIT_REDO, &Redo},         {IDM_EDIT_INDENT, &Indent},
    {IDM_EDIT_UNINDENT, &Unindent}, {IDM_EDIT_SELECT_ALL, &SelectAll},
};

void OnCommand(HWND window, WORD id)
{
    for (const ViewCommand& command : kViewCommands) {
        if (command.id == id) {
            command.operation(kCurrentView);
            return;
        }
    }
    if (id == IDM_FILE_EXIT) PostMessageW(window, WM_CLOSE, 0, 0);
}

// Title of an untitled, unmodified document, until the documents keep their own names.
constexpr wchar_t kUntitledTitle[] = L"無題  - KelvaraTextEditorVer3.36";

}  // namespace

OpenRequestHandler SetOpenRequestHandler(OpenRequestHandler handler)
{
    OpenRequestHandler previous = openRequestHandler;
    openRequestHandler = handler ? handler : &RefuseOpenRequest;
    return previous;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may unwind into the system's dispatcher.
    try {
        switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            FillClientWithView(window);
            return 0;
        case WM_SETFOCUS:
            FocusView(0);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam));
            return 0;
        case WM_COPYDATA:
            return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
    } catch (...) {
        return 0;
    }
}

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

namespace {

// A running instance gets the path as an open request; true when one was found.
bool HandOverToRunningInstance(const std::string& path)
{
    HWND running = FindWindowW(kMainWindowClass, nullptr);
    if (running == nullptr) return false;
    if (path.empty()) return true;
    std::wstring wide = WideFromInternal(path);
    std::string ansi;
    int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (bytes > 0) {
        ansi.resize(static_cast<size_t>(bytes));
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), ansi.data(), bytes, nullptr,
                            nullptr);
    }
    OpenFileRequest request;
    if (!MakeOpenFileRequest(ansi, 0, true, request)) return true;
    COPYDATASTRUCT data{COPYDATA_OPEN_FILE, sizeof request, &request};
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
    std::string path = CommandLinePath(commandLine);
    if (HandOverToRunningInstance(path)) return StartResult::HandedOver;

    theApp.checkMarkBitmap = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_CHECKMARK), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!RegisterMainWindowClass(instance)) return StartResult::Failed;

    ProfileFile& settings = *theApp.settings;
    SetSection(settings, "main");
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (GetInt(settings, "windows") != 1) {
        x = GetInt(settings, "x");
        y = GetInt(settings, "y");
        width = GetInt(settings, "width");
        height = GetInt(settings, "height");
    }
    theApp.mainWindow = CreateWindowExW(0, kMainWindowClass, L"kvte", WS_OVERLAPPEDWINDOW, x, y, width, height, nullptr,
                                        theApp.mainMenu, instance, nullptr);
    if (theApp.mainWindow == nullptr) return StartResult::Failed;
    DragAcceptFiles(theApp.mainWindow, TRUE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    SetViewCount(1);
    if (CreateView(0, theApp.mainWindow, 0, 0, 400, 400) == 0) return StartResult::Failed;
    SetOption(0, 17, 1, 1);
    SetSection(settings, "main");
    if (GetInt(settings, "lapel") == 1) SetWrap(0, 1, 0, 1);

    SetSection(settings, "editor1");
    theApp.autoIndent = GetInt(settings, "indent") == 1;
    theApp.vsHome = GetInt(settings, "endhome") == 1;

    SetWindowTextW(theApp.mainWindow, kUntitledTitle);
    FillClientWithView(theApp.mainWindow);
    ShowWindow(theApp.mainWindow, show);
    UpdateWindow(theApp.mainWindow);
    return StartResult::Created;
}
