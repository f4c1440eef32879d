// The options dialog on a settings file of its own: a scratch folder holding "kvte.ini"
// (the default text), "color" and "esf" folders with a few files, and a manifest path.
// The dialog runs for real; a test gives a script that acts on it from inside its modal
// loop (and one for the extension dialog, when a page opens it). Message boxes and file
// dialogs are recorded and answered by the ModalRecorder.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../support/ModalRecorder.h"
#include "config/ProfileFile.h"
#include "config/SettingsFile.h"
#include "files/FileAccess.h"
#include "options/win32/OptionsDialog.h"
#include "platform/WideText.h"
#include "resources/resource.h"

struct OptionsFixture : testing::Test {
    ModalRecorder modal;
    OptionsDialog options;
    ProfileFile settings{};
    std::wstring folder;
    std::string folderInternal;
    int tabBarWidth = 0;
    bool autoIndent = false;
    bool vsHome = false;

    static OptionsFixture*& Current()
    {
        static OptionsFixture* current = nullptr;
        return current;
    }
    // What the scripts do: run inside the options dialog (and the extension dialog).
    std::function<void(HWND)> optionsScript;
    std::function<void(HWND)> entryScript;
    std::vector<std::string> helpShown;
    int entryDialogs = 0;
    bool ended = false;  // the script pressed OK or Cancel

    void SetUp() override
    {
        Current() = this;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"kvte-options\\";
        RemoveScratch();
        CreateDirectoryW(folder.c_str(), nullptr);
        CreateDirectoryW((folder + L"color").c_str(), nullptr);
        CreateDirectoryW((folder + L"esf").c_str(), nullptr);
        folderInternal = InternalFromWide(folder);
        const std::string path = folderInternal + "kvte.ini";
        ASSERT_TRUE(PrepareSettingsFile(settings, path.c_str(), nullptr, nullptr));
        for (const wchar_t* name : {L"color\\b.ini", L"color\\a.ini", L"color\\c.ini", L"esf\\HTML.esf", L"esf\\C.esf"}) {
            Touch(folder + name, "x");
        }
        CreateDirectoryW((folder + L"color\\dir.ini").c_str(), nullptr);  // a folder is no colour file

        options.host.settings = &settings;
        options.host.programFolder = folderInternal.c_str();
        options.host.manifestPath = folder + L"kvte.exe.manifest";
        options.host.tabBarWidth = &tabBarWidth;
        options.host.autoIndent = &autoIndent;
        options.host.vsHome = &vsHome;
        options.host.showHelpPage = &RecordHelp;

        // The recorder answers messages and file dialogs; the dialogs run here.
        ModalUiHandlers handlers = SetModalUiHandlers(PlatformModalUiHandlers());
        handlers.dialog = &RunDialog;
        SetModalUiHandlers(handlers);
    }
    void TearDown() override
    {
        RemoveScratch();
        Current() = nullptr;
    }

    void Register() { ASSERT_TRUE(RegisterOptionPages(options)); }

    // Opens the dialog with the script; registers the program's pages first when none are.
    int Run(std::function<void(HWND)> script)
    {
        if (options.count == 0) RegisterOptionPages(options);
        optionsScript = std::move(script);
        return ShowOptionsDialog(options, GetModuleHandleW(nullptr), nullptr);
    }

    HWND Page(int dialogId) const
    {
        for (int i = 0; i < options.count; ++i) {
            if (options.pages[i].dialogId == dialogId) return options.pages[i].pageWindow;
        }
        return nullptr;
    }
    static void Click(HWND page, int control)
    {
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, control)));
    }
    // A radio button chosen as the user would: it is ticked, its group cleared, and the
    // page told.
    static void Choose(HWND page, int first, int last, int control)
    {
        CheckRadioButton(page, first, last, control);
        Click(page, control);
    }
    static void Tick(HWND page, int control, bool ticked)
    {
        CheckDlgButton(page, control, ticked ? BST_CHECKED : BST_UNCHECKED);
    }
    static bool Ticked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }
    static void Type(HWND page, int control, const wchar_t* text) { SetDlgItemTextW(page, control, text); }
    static void Ok(HWND dialog)
    {
        Current()->ended = true;
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    static void Cancel(HWND dialog)
    {
        Current()->ended = true;
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    int Int(const char* section, const char* key)
    {
        SetSection(settings, section);
        return GetInt(settings, key);
    }
    std::string Text(const char* section, const char* key)
    {
        char value[1024] = {};
        SetSection(settings, section);
        GetString(settings, key, value, sizeof value);
        return value;
    }
    std::string FileText()
    {
        std::string bytes;
        ReadWholeFile(settings.path, bytes);
        return bytes;
    }
    static void Touch(const std::wstring& path, const std::string& bytes)
    {
        ReplaceWholeFile(path.c_str(), bytes.data(), bytes.size());
    }
    static std::string Read(const std::wstring& path)
    {
        std::string bytes;
        ReadWholeFile(path.c_str(), bytes);
        return bytes;
    }
    std::vector<int> Messages() const
    {
        std::vector<int> numbers;
        for (const ShownMessage& message : modal.shown) numbers.push_back(message.number);
        return numbers;
    }

private:
    static HWND RecordHelp(HWND, const char* page)
    {
        Current()->helpShown.push_back(page);
        return nullptr;
    }
    static void CALLBACK TimerTick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        OptionsFixture* self = Current();
        // The innermost dialog is the active one: the extension dialog when it is open.
        if (HWND entry = FindWindowW(L"#32770", L"拡張子設定")) {
            if (self->entryScript) self->entryScript(entry);
            else SendMessageW(entry, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (HWND dialog = FindWindowW(L"#32770", L"KelvaraTextEditorの設定")) {
            self->ended = false;
            if (self->optionsScript) self->optionsScript(dialog);
            // A script that leaves the dialog open would hang the test: cancel it.
            if (!self->ended) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    static INT_PTR RunDialog(const ModalDialogRequest& request)
    {
        if (request.templateNumber == IDD_FILE_TYPE_ENTRY) ++Current()->entryDialogs;
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &TimerTick);
        INT_PTR result = DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner,
                                         request.procedure, request.parameter);
        KillTimer(nullptr, timer);
        return result;
    }
    void RemoveScratch()
    {
        for (const wchar_t* sub : {L"color\\", L"esf\\", L""}) {
            WIN32_FIND_DATAW found;
            const std::wstring base = folder + sub;
            HANDLE search = FindFirstFileW((base + L"*").c_str(), &found);
            if (search != INVALID_HANDLE_VALUE) {
                do {
                    std::wstring name = found.cFileName;
                    if (name == L"." || name == L"..") continue;
                    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryW((base + name).c_str());
                    else DeleteFileW((base + name).c_str());
                } while (FindNextFileW(search, &found));
                FindClose(search);
            }
        }
        RemoveDirectoryW((folder + L"color").c_str());
        RemoveDirectoryW((folder + L"esf").c_str());
        RemoveDirectoryW(folder.c_str());
    }
};
