// The options dialog for real on a scratch folder: "kvte.ini" (the default text), "color"
// and "esf" with a few files, a manifest path. A test's script acts on the dialog from
// inside its modal loop (and one on the extension dialog). Message boxes are recorded.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
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
    std::function<void(HWND)> optionsScript, entryScript;
    std::vector<std::string> helpShown;
    bool ended = false;  // the script pressed OK or Cancel

    static OptionsFixture*& Current() { static OptionsFixture* current = nullptr; return current; }
    void SetUp() override
    {
        Current() = this;
        wchar_t temp[MAX_PATH];
        folder = std::wstring(temp, GetTempPathW(MAX_PATH, temp)) + L"kvte-options\\";
        std::filesystem::remove_all(folder);
        for (const wchar_t* sub : {L"", L"color", L"esf", L"color\\dir.ini"}) CreateDirectoryW((folder + sub).c_str(), nullptr);
        folderInternal = InternalFromWide(folder);
        ASSERT_TRUE(PrepareSettingsFile(settings, (folderInternal + "kvte.ini").c_str(), nullptr, nullptr));
        for (const wchar_t* name : {L"color\\b.ini", L"color\\a.ini", L"color\\c.ini", L"esf\\HTML.esf", L"esf\\C.esf"}) Touch(folder + name, "x");
        options.host.settings = &settings;
        options.host.programFolder = folderInternal.c_str();
        options.host.manifestPath = folder + L"kvte.exe.manifest";
        options.host.showHelpPage = [](HWND, const char* page) -> HWND { return Current()->helpShown.push_back(page), nullptr; };
        ModalUiHandlers handlers = SetModalUiHandlers(PlatformModalUiHandlers());
        handlers.dialog = &RunDialog;
        SetModalUiHandlers(handlers);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    // Opens the dialog with the script; registers the program's pages first when none are.
    int Run(std::function<void(HWND)> script)
    {
        if (options.count == 0) RegisterOptionPages(options);
        optionsScript = std::move(script);
        return ShowOptionsDialog(options, GetModuleHandleW(nullptr), nullptr);
    }
    HWND Page(int dialogId) const
    {
        for (int i = 0; i < options.count; ++i) if (options.pages[i].dialogId == dialogId) return options.pages[i].pageWindow;
        return nullptr;
    }
    static void Click(HWND page, int control) { SendMessageW(page, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), 0); }
    // A radio button chosen as the user would: ticked, its group cleared, the page told.
    static void Choose(HWND p, int first, int last, int id) { CheckRadioButton(p, first, last, id), Click(p, id); }
    static void Tick(HWND page, int control, bool on) { CheckDlgButton(page, control, on ? BST_CHECKED : BST_UNCHECKED); }
    static bool Enabled(HWND page, int control) { return IsWindowEnabled(GetDlgItem(page, control)) != FALSE; }
    static void Ok(HWND dialog) { Current()->ended = true, SendMessageW(dialog, WM_COMMAND, IDOK, 0); }
    int Int(const char* section, const char* key) { return SetSection(settings, section), GetInt(settings, key); }
    std::string FileText() { return Read(WideFromInternal(settings.path)); }
    static void Touch(const std::wstring& path, const std::string& bytes) { ReplaceWholeFile(path.c_str(), bytes.data(), bytes.size()); }
    static std::string Read(const std::wstring& path) { std::string s; return ReadWholeFile(path.c_str(), s), s; }
    std::vector<int> Messages() { std::vector<int> n; for (auto& m : modal.shown) n.push_back(m.number); return n; }

private:
    static void CALLBACK TimerTick(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        OptionsFixture* self = Current();
        // The innermost dialog is the active one: the extension dialog when it is open.
        if (HWND entry = FindWindowW(L"#32770", L"拡張子設定")) {
            if (self->entryScript) self->entryScript(entry);
            else SendMessageW(entry, WM_COMMAND, IDCANCEL, 0);
        } else if (HWND dialog = FindWindowW(L"#32770", L"KelvaraTextEditorの設定")) {
            self->ended = false;
            if (self->optionsScript) self->optionsScript(dialog);
            // A script that leaves the dialog open would hang the test: cancel it.
            if (!self->ended) SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
    static INT_PTR RunDialog(const ModalDialogRequest& request)
    {
        const UINT_PTR timer = SetTimer(nullptr, 0, 30, &TimerTick);
        INT_PTR result = DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner,
                                         request.procedure, request.parameter);
        KillTimer(nullptr, timer);
        return result;
    }
};
