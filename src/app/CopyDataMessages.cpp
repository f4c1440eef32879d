// WM_COPYDATA from other processes (code 103 is code 100 with an encoding). Their texts arrive in the system ANSI code page.
#include "app/CopyDataMessages.h"

#include <string>
#include <string_view>

#include "app/DocumentCommands.h"
#include "app/OpenFileRequest.h"
#include "platform/AnsiText.h"
#include "platform/HeldPath.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// Text that another process sent in the system ANSI code page, as InternalText; with code
// page 932 the bytes come through unchanged.
std::string InternalFromAnsi(std::string_view ansi) { return InternalFromWide(WideFromAnsi(ansi)); }

}  // namespace

LRESULT CopyDataMessage(const COPYDATASTRUCT* data, OpenRequestHandler openRequest)
{
    if (data == nullptr) return 0;
    switch (data->dwData) {
    case COPYDATA_OPEN_FILE:
    case COPYDATA_OPEN_FILE_AS: {
        OpenFileAsRequest requestAs;
        EncodingCode code = EncodingCode::ShiftJis;
        const bool as = data->dwData == COPYDATA_OPEN_FILE_AS;
        if (as && !ReadOpenFileAsRequest(data->lpData, data->cbData, requestAs, code)) return 3;
        OpenFileRequest& request = requestAs.file;
        if (!as && !ReadOpenFileRequest(data->lpData, data->cbData, request)) return 3;
        // A path that InternalText cannot name would come back as another file's name
        // ("a¥b" as "a\b"): it goes by its short form, or is not opened at all.
        // A sender whose code page cannot spell the name sends its short form: the long
        // name, when the program can hold it, is what the tab and title should show.
        std::wstring wide = WideFromAnsi(request.path);
        wchar_t longPath[MAX_PATH + 1];
        DWORD units = GetLongPathNameW(wide.c_str(), longPath, MAX_PATH + 1);
        // Only a real short form is replaced: a name that differs in letter case only
        // stays as it was sent (it names another tab than the one open under its case).
        if (units > 0 && units <= MAX_PATH &&
            CompareStringOrdinal(wide.c_str(), -1, longPath, static_cast<int>(units), TRUE) != CSTR_EQUAL) {
            wide.assign(longPath, units);
        }
        std::string path;
        if (HoldPath(wide, path) == PathHold::NotHeld) return 3;
        if (as) return OpenRequestedFileAs(path.c_str(), request.mode, request.showErrors != 0, code);
        return openRequest(path.c_str(), request.mode, request.showErrors != 0);
    }
    case COPYDATA_INSERT_TEXT:
    case COPYDATA_REPLACE_TEXT: {
        std::string_view ansi;
        if (!ReadCopyDataText(data->lpData, data->cbData, ansi)) return 0;
        std::string text = InternalFromAnsi(ansi);
        if (data->dwData == COPYDATA_INSERT_TEXT) {
            // The view reports a change of its text itself, which marks the document: an
            // empty text or a write-protected view changes nothing and marks nothing.
            InsertText(CurrentView(), text.c_str());
            return 0;
        }
        if (!SetText(CurrentView(), text.c_str())) return 0;
        MarkSavePoint(CurrentView(), 0);  // the tool's text is not the file's
        return 1;
    }
    default:
        return 0;
    }
}
