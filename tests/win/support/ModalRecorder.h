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
    ModalRecorder() : previous_(SetModalUiHandlers(ModalUiHandlers{&Record, &ChooseFile})) { Current() = this; }
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
    ModalUiHandlers previous_;
};
