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
    ModalRecorder() : previous_(SetModalUiHandlers(ModalUiHandlers{&Record})) { Current() = this; }
    ~ModalRecorder()
    {
        SetModalUiHandlers(previous_);
        Current() = nullptr;
    }
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    std::vector<ShownMessage> shown;
    int answer = IDOK;

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
        return self->answer;
    }
    ModalUiHandlers previous_;
};
