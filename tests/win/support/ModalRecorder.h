// Replaces the modal-UI seam for one test: records what would have been shown and answers it
// from a script, so that nothing blocks.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ModalUi.h"

struct ShownMessage {
    int number;
    std::wstring text;
    unsigned style;
    HWND owner;
};

class ModalRecorder {
public:
    ModalRecorder() : previous_(SetModalUiHandlers({&Record, &ChooseFile, &RunDialog})) { current_ = this; }
    ~ModalRecorder()
    {
        SetModalUiHandlers(previous_);
        current_ = nullptr;
    }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;
    std::vector<ShownMessage> shown;
    int answer = IDOK;
    std::vector<int> answers;               // answers to the message boxes in order, before `answer`
    std::vector<std::wstring> chosenFiles;  // chosen in order; an empty one (or none left) cancels
    std::vector<FileDialogRequest> fileDialogs;
    // Dialogs that would have been shown, each ending with the next of dialogResults or -1 (cancel);
    // one in realDialogs is really shown, and dialogScript runs once it is up.
    std::vector<int> dialogs;
    std::vector<INT_PTR> dialogResults;
    std::vector<int> realDialogs;
    bool realFileDialogs = false;  // the Open and Save As dialogs really shown, driven by dialogScript
    void (*dialogScript)(HWND dialog) = nullptr;

private:
    template <typename T>
    static T TakeFront(std::vector<T>& queue, T otherwise)
    {
        T next = queue.empty() ? otherwise : queue.front();
        if (!queue.empty()) queue.erase(queue.begin());
        return next;
    }
    static int Record(HWND owner, int number, const wchar_t* text, const wchar_t*, unsigned style)
    {
        current_->shown.push_back({number, text ? text : L"", style, owner});
        return TakeFront(current_->answers, current_->answer);
    }
    static bool ChooseFile(const FileDialogRequest& request, std::wstring& path)
    {
        current_->fileDialogs.push_back(request);
        if (current_->realFileDialogs)
            return WithScript([&] { return PlatformModalUiHandlers().fileDialog(request, path); });
        path = TakeFront(current_->chosenFiles, std::wstring());
        return !path.empty();
    }
    static INT_PTR RunDialog(const ModalDialogRequest& request)
    {
        std::vector<int>& real = current_->realDialogs;
        current_->dialogs.push_back(request.templateNumber);
        if (std::find(real.begin(), real.end(), request.templateNumber) != real.end())
            return WithScript([&] { return PlatformModalUiHandlers().dialog(request); });
        return TakeFront(current_->dialogResults, INT_PTR{-1});
    }
    // The script runs from a timer inside the dialog's modal loop; the timer comes back until the
    // dialog is shown, which may be after the messages already waiting, the timer's among them.
    template <typename Show>
    static auto WithScript(Show show) -> decltype(show())
    {
        scriptTimer_ = SetTimer(nullptr, 0, 50, &ScriptTimer);
        auto result = show();
        KillTimer(nullptr, scriptTimer_);
        scriptTimer_ = 0;
        return result;
    }
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    static void CALLBACK ScriptTimer(HWND, UINT, UINT_PTR timer, DWORD)
    {
        KillTimer(nullptr, timer);
        if (timer != scriptTimer_) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        scriptTimer_ = dialog ? 0 : SetTimer(nullptr, 0, 50, &ScriptTimer);
        if (dialog && current_ && current_->dialogScript) current_->dialogScript(dialog);
    }
    static inline ModalRecorder* current_ = nullptr;
    static inline UINT_PTR scriptTimer_ = 0;
    ModalUiHandlers previous_;
};
