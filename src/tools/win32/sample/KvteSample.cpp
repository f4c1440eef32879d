// kvtesample: a small tool for KelvaraTextEditor, written to be read. A tool is a program
// of its own; the editor starts it from its tools menu and the tool talks to the editor's
// main window (window class "KelvaraTextEditorWc") with window messages:
//
//   WM_TOOL_WINDOW (WM_APP + 100)   wParam = the tool's window: the editor keeps itself
//                                   just behind that window while the tool runs.
//   WM_TOOL_NEW_DOCUMENT (WM_APP + 101)
//                                   the editor opens a new empty tab (0 on success).
//   WM_COPYDATA, dwData 101         inserts a zero-terminated text at the caret of the
//                                   current tab; dwData 102 replaces its whole text.
//                                   The text is in the system's ANSI code page.
//   WM_COPYDATA, dwData 100         opens a file (a 272-byte record: see the README).
//
// The window lets the user type a text and insert it into the editor, or into a new tab.
// Started with arguments it works without asking, which is how the editor's own tests
// drive it:
//   kvtesample.exe [--new-tab] [--insert TEXT] [--stay]
// inserts TEXT (into a new tab first when --new-tab is given) and ends, or, with --stay,
// keeps its window open until it is closed.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr UINT WM_TOOL_WINDOW = WM_APP + 100;
constexpr UINT WM_TOOL_NEW_DOCUMENT = WM_APP + 101;
constexpr ULONG_PTR COPYDATA_INSERT_TEXT = 101;

constexpr int kTextBox = 100;
constexpr int kInsertButton = 101;
constexpr int kNewTabButton = 102;

HWND textBox = nullptr;

HWND FindEditor() { return FindWindowW(L"KelvaraTextEditorWc", nullptr); }

// The editor reads the text in the system's ANSI code page, terminated by a zero that
// counts in the size.
bool InsertIntoEditor(HWND tool, const std::wstring& text)
{
    HWND editor = FindEditor();
    if (editor == nullptr) return false;
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return false;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &ansi[0], size, nullptr, nullptr);
    COPYDATASTRUCT data{COPYDATA_INSERT_TEXT, static_cast<DWORD>(size), &ansi[0]};
    SendMessageW(editor, WM_COPYDATA, reinterpret_cast<WPARAM>(tool), reinterpret_cast<LPARAM>(&data));
    return true;
}

bool NewTabInEditor()
{
    HWND editor = FindEditor();
    return editor != nullptr && SendMessageW(editor, WM_TOOL_NEW_DOCUMENT, 0, 0) == 0;
}

std::wstring TypedText()
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(textBox)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(textBox, &text[0], static_cast<int>(text.size()))));
    return text;
}

void Report(HWND window, const wchar_t* text) { MessageBoxW(window, text, L"kvtesample", MB_ICONWARNING); }

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HINSTANCE instance = reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance;
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        textBox = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10, 300,
                                  24, window, reinterpret_cast<HMENU>(kTextBox), instance, nullptr);
        HWND insert = CreateWindowExW(0, L"BUTTON", L"挿入(&I)", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 10, 44,
                                      145, 26, window, reinterpret_cast<HMENU>(kInsertButton), instance, nullptr);
        HWND newTab = CreateWindowExW(0, L"BUTTON", L"新しいタブに挿入(&N)", WS_CHILD | WS_VISIBLE, 165, 44, 145, 26,
                                      window, reinterpret_cast<HMENU>(kNewTabButton), instance, nullptr);
        for (HWND child : {textBox, insert, newTab}) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == kNewTabButton && !NewTabInEditor()) {
            Report(window, L"エディタに新しいタブを作れませんでした。");
            return 0;
        }
        if (LOWORD(wParam) == kInsertButton || LOWORD(wParam) == kNewTabButton) {
            if (!InsertIntoEditor(window, TypedText())) Report(window, L"エディタが見つかりません。");
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

struct Arguments {
    bool newTab = false;
    bool insert = false;
    bool stay = false;
    std::wstring text;
};

Arguments ReadArguments()
{
    Arguments arguments;
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; words && i < count; ++i) {
        std::wstring word = words[i];
        if (word == L"--new-tab") arguments.newTab = true;
        if (word == L"--stay") arguments.stay = true;
        if (word == L"--insert" && i + 1 < count) {
            arguments.insert = true;
            arguments.text = words[++i];
        }
    }
    LocalFree(words);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    const Arguments arguments = ReadArguments();

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ToolWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"KvteSampleToolWc";
    if (!RegisterClassExW(&windowClass)) return 1;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"kvtesample - テキストの挿入",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 336, 114,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, show);

    // Announce the window: the editor stays behind it from now on.
    if (HWND editor = FindEditor()) SendMessageW(editor, WM_TOOL_WINDOW, reinterpret_cast<WPARAM>(window), 0);

    if (arguments.newTab && !NewTabInEditor()) return 2;
    if (arguments.insert && !InsertIntoEditor(window, arguments.text)) return 3;
    if ((arguments.newTab || arguments.insert) && !arguments.stay) {
        DestroyWindow(window);
        return 0;
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
