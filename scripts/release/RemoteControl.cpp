// Drives a running kvte.exe from outside, as a tool would: waits for its main window,
// inserts a text, sends commands, prints the title, ends the process. Used by
// scripts/release-check.sh on the unpacked package.
//   kvte_remote.exe wait | insert TEXT | command ID | title | end ...
// Prints one line per step; exit status 1 at the first step that fails.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND FindEditor(int seconds)
{
    for (int tries = 0; tries < seconds * 10; ++tries) {
        if (HWND window = FindWindowW(L"KelvaraTextEditorWc", nullptr)) return window;
        Sleep(100);
    }
    return nullptr;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], size, nullptr, nullptr);
    return out;
}

void Print(const std::string& line)
{
    // Raw bytes: the title is UTF-8 whatever the console's code page.
    DWORD written = 0;
    const std::string text = line + "\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    HWND editor = FindEditor(30);
    if (!editor) {
        Print("no editor window");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        const std::wstring step = argv[i];
        if (step == L"wait") {
            Print("found");
        } else if (step == L"insert" && i + 1 < argc) {
            // The text travels in the ANSI code page; ASCII keeps it the same everywhere.
            const std::string text = Utf8(argv[++i]);
            COPYDATASTRUCT copy{101, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
            SendMessageW(editor, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
            Print("inserted");
        } else if (step == L"command" && i + 1 < argc) {
            const int id = _wtoi(argv[++i]);
            SendMessageW(editor, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            Print("command " + std::to_string(id));
        } else if (step == L"title") {
            wchar_t title[1024] = {};
            GetWindowTextW(editor, title, 1024);
            Print("title " + Utf8(title));
        } else if (step == L"end") {
            DWORD process = 0;
            GetWindowThreadProcessId(editor, &process);
            HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
            if (!handle || !TerminateProcess(handle, 0)) {
                Print("could not end the editor");
                return 1;
            }
            WaitForSingleObject(handle, 5000);
            CloseHandle(handle);
            Print("ended");
        } else {
            Print("unknown step");
            return 1;
        }
    }
    return 0;
}
