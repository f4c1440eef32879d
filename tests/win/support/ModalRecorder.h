// Replaces the modal-UI seam for one test: records every message box that would have been
// shown and answers it with a scripted button, so that nothing blocks.
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
    ModalRecorder() : previous_(SetModalUiHandlers(ModalUiHandlers{&Record, &ChooseFile, &RunDialog}))
    {
        Current() = this;
    }
    ~ModalRecorder()
    {
        SetModalUiHandlers(previous_);
        Current() = nullptr;
    }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    std::vector<ShownMessage> shown;
    int answer = IDOK;
    // Answers to the message boxes in order, before `answer` is used.
    std::vector<int> answers;
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
    static ModalRecorder*& Current()
    {
        static ModalRecorder* current = nullptr;
        return current;
    }
    static int Record(HWND owner, int number, const wchar_t* text, const wchar_t*, unsigned style)
    {
        ModalRecorder* self = Current();
        self->shown.push_back({number, text ? text : L"", style, owner});
        if (!self->answers.empty()) {
            int next = self->answers.front();
            self->answers.erase(self->answers.begin());
            return next;
        }
        return self->answer;
    }
    static bool ChooseFile(const FileDialogRequest& request, std::wstring& path)
    {
        ModalRecorder* self = Current();
        self->fileDialogs.push_back(request);
        if (self->chosenFiles.empty()) return false;
        path = self->chosenFiles.front();
        self->chosenFiles.erase(self->chosenFiles.begin());
        return !path.empty();
    }
    static INT_PTR RunDialog(const ModalDialogRequest& request)
    {
        ModalRecorder* self = Current();
        self->dialogs.push_back(request.templateNumber);
        for (int number : self->realDialogs) {
            if (number == request.templateNumber) return RunRealDialog(request);
        }
        if (self->dialogResults.empty()) return -1;
        INT_PTR next = self->dialogResults.front();
        self->dialogResults.erase(self->dialogResults.begin());
        return next;
    }
    // The dialog runs its own modal loop; the script runs from a timer inside that loop.
    // The timer comes back until the dialog is shown: a dialog that takes long to make
    // is shown only after the messages already waiting, the timer's among them.
    static UINT_PTR& ScriptTimerId()
    {
        static UINT_PTR id = 0;
        return id;
    }
    static INT_PTR RunRealDialog(const ModalDialogRequest& request)
    {
        ScriptTimerId() = SetTimer(nullptr, 0, 50, &ScriptTimer);
        INT_PTR result = DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner,
                                         request.procedure, request.parameter);
        KillTimer(nullptr, ScriptTimerId());
        ScriptTimerId() = 0;
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
        if (timer != ScriptTimerId()) return;
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
        if (!dialog) {
            ScriptTimerId() = SetTimer(nullptr, 0, 50, &ScriptTimer);
            return;
        }
        ScriptTimerId() = 0;
        ModalRecorder* self = Current();
        if (self && self->dialogScript && dialog) self->dialogScript(dialog);
    }
    ModalUiHandlers previous_;
};
