// Replaces the modal-UI seam for one test: records every message box, file dialog and
// dialog that would have been shown and answers each from a script, so that nothing blocks.
#pragma once

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
    std::vector<int> answers;  // answers to the message boxes in order, before `answer`
    // Paths the file dialogs choose, in order; an empty one (or none left) cancels.
    std::vector<std::wstring> chosenFiles;
    std::vector<FileDialogRequest> fileDialogs;
    // The template numbers of the dialogs that would have been shown; each ends with the
    // next of dialogResults, or with -1 (cancelled) when none is left. A dialog listed in
    // realDialogs is really shown, with dialogScript run once it is up (to look at it or
    // press its buttons); its result is then the dialog's own.
    std::vector<int> dialogs;
    std::vector<INT_PTR> dialogResults;
    std::vector<int> realDialogs;
    void (*dialogScript)(HWND dialog) = nullptr;

private:
    template <typename T>
    static T TakeFront(std::vector<T>& queue, T otherwise)
    {
        if (queue.empty()) return otherwise;
        T next = queue.front();
        queue.erase(queue.begin());
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
        path = TakeFront(current_->chosenFiles, std::wstring());
        return !path.empty();
    }
    static INT_PTR RunDialog(const ModalDialogRequest& request)
    {
        current_->dialogs.push_back(request.templateNumber);
        for (int number : current_->realDialogs) {
            if (number == request.templateNumber) return RunRealDialog(request);
        }
        return TakeFront(current_->dialogResults, INT_PTR{-1});
    }
    // The dialog runs its own modal loop; the script runs from a timer inside that loop.
    // The timer comes back until the dialog is shown: a dialog that takes long to make
    // is shown only after the messages already waiting, the timer's among them.
    static INT_PTR RunRealDialog(const ModalDialogRequest& request)
    {
        scriptTimer_ = SetTimer(nullptr, 0, 50, &ScriptTimer);
        INT_PTR result = DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner,
                                         request.procedure, request.parameter);
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
