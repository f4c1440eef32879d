// Opening a file: the tab policy, reading, detection and conversion, write protection.
#include "documents/OpenFile.h"

#include "documents/SaveDocuments.h"
#include "encoding/FileText.h"
#include "files/FileAccess.h"
#include "files/FolderAccess.h"

namespace {

int Report(DocumentsState& documents, bool showErrors, int message, int result)
{
    if (showErrors && documents.host.showMessage) {
        documents.host.showMessage(documents.host.context, message, kStyleError);
    }
    return result;
}

// The policy of mode, or -1 for a mode that opens nothing.
int PolicyOf(DocumentsState& documents, int mode)
{
    switch (mode) {
    case kOpenModeDrop:
        return ReadSetting(documents, "tab", "OnDrag");
    case kOpenModeNormal:
        return ReadSetting(documents, "tab", "OnOpen");
    case kOpenModeCloseFirst:
    case kOpenModeReuseUntitled:
    case kOpenModeNewTab:
        return mode - 1;
    default:
        return -1;
    }
}

// A new tab with the editor settings applied; false when none could be made.
bool AddTab(DocumentsState& documents)
{
    int slot = AddDocument(documents.list, documents.host);
    if (slot < 0) return false;
    ApplyEditorSettings(documents.callbacks, slot);
    return true;
}

// What a failed read shows and returns: a file that is not there, not a file, locked or
// refused could not be opened; one too large for memory is refused whole as out of
// memory; anything else failed while reading.
int ReadFailure(DocumentsState& documents, bool showErrors, FileErrorKind kind)
{
    switch (kind) {
    case FileErrorKind::NotFound:
    case FileErrorKind::AccessDenied:
    case FileErrorKind::SharingViolation:
    case FileErrorKind::NotAFile:
        return Report(documents, showErrors, kMsgFileNotFound, kOpenNotOpened);
    case FileErrorKind::TooLarge:
    case FileErrorKind::OutOfMemory:
        return Report(documents, showErrors, kMsgOutOfMemory, kOpenNoMemory);
    default:
        return Report(documents, showErrors, kMsgReadFailed, kOpenReadFailed);
    }
}

}  // namespace

int OpenFile(DocumentsState& documents, const std::string& path, int mode, bool showErrors,
             std::optional<EncodingCode> code)
{
    DocumentList& list = documents.list;
    const DocumentsHost& host = documents.host;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        const Document* open = GetDocument(list, slot);
        // An untitled document has no path: an empty one finds no open file.
        if (open && !path.empty() && open->filePath == path) {
            SelectSlot(list, host, slot);
            RefreshBar(host);
            if (ReadSetting(documents, "main", "FileWindowActive") == 1) CallHost(host.activateMainWindow, host);
            return kOpenAlreadyOpen;
        }
    }

    const int policy = PolicyOf(documents, mode);
    if (policy < 0) return kOpenNotOpened;
    const int previousSlot = list.currentSlot;
    int addedSlot = -1;
    switch (policy) {
    case kPolicyCloseFirst:
        if (!ConfirmClose(documents, list.currentSlot)) return kOpenCancelled;
        break;
    case kPolicyReuseUntitled: {
        int reusable = FirstReusableSlot(list);
        if (reusable >= 0) {
            SelectSlot(list, host, reusable);
            break;
        }
        [[fallthrough]];  // no reusable tab: a new one
    }
    case kPolicyNewTab:
        if (!AddTab(documents)) return Report(documents, showErrors, kMsgOutOfMemory, kOpenNoMemory);
        addedSlot = list.currentSlot;
        break;
    default:
        break;
    }
    const int slot = list.currentSlot;

    // From here a failure leaves the chosen tab current, except that a tab made for this
    // file goes again: an empty untitled tab left behind by a file that never opened
    // would look like the file. The bar must show that even though nothing was loaded.
    auto failed = [&](int result) {
        if (addedSlot >= 0 && GetDocument(list, previousSlot) != nullptr) {
            RemoveDocument(list, host, addedSlot);
            SelectSlot(list, host, previousSlot);
        }
        RefreshBar(host);
        return result;
    };
    std::string bytes;
    FileStatus read = ReadWholeFile(path.c_str(), bytes);
    if (!read) return failed(ReadFailure(documents, showErrors, read.kind));

    ApplyFileType(documents.callbacks, slot, path);

    const bool detect = ReadSetting(documents, "main", "auto_kanji") == 1;
    const auto flavour = static_cast<SjisFlavour>(ReadSetting(documents, "main", "sjis_flavour"));
    DecodedFile decoded;
    if (code) code = ChosenCodeForFile(*code, bytes);
    // The bytes are handed over: Shift_JIS bytes become the text itself, and converted
    // ones are released as early as the conversion allows.
    if (!(code ? DecodeFileBytesAs(std::move(bytes), *code, decoded)
               : DecodeFileBytes(std::move(bytes), detect, decoded, flavour)))
        return failed(Report(documents, showErrors, kMsgOutOfMemory, kOpenNoMemory));
    // A text that lost characters in the conversion, or that holds one character the file
    // wrote in two forms, is not the file's content any more. (Zero bytes are kept: the view
    // holds them and saving writes them back.)
    const bool lossy = decoded.replaced > 0 || decoded.mixedForms;
    const TextNotes notes = NoteText(decoded.text);

    // The view keeps its old text when it cannot take the new one: the tab then keeps its
    // own path, code and modified mark, so nothing about it is touched before.
    if (host.setText && !host.setText(host.context, slot, std::move(decoded.text)))
        return failed(Report(documents, showErrors, kMsgOutOfMemory, kOpenNoMemory));
    Document& target = CurrentDocument(list);
    if (code || detect || decoded.encoding == EncodingCode::Cp932) target.encoding = decoded.encoding;
    target.encodingChosen = code.has_value();
    target.lineEnding = LineEndingCode::Automatic;  // the file's own, as the view found it
    target.unicodeForm = decoded.unicodeForm;
    SetPath(target, path);
    target.loadedLossily = lossy;
    target.stamp = ReadFileStamp(path.c_str());
    NoteRecentFile(documents.recent, path);
    if (IsReadOnlyFile(path.c_str())) {
        target.writable = false;
        CallHost(host.setEditable, host, slot, false);
    }
    RefreshTitle(documents.callbacks);
    RefreshBar(host);
    if (notes.mixedLineEndings || notes.zeroBytes)
        ShowNotice(documents.callbacks, !notes.zeroBytes          ? kNoticeMixedLineEndings
                                        : notes.mixedLineEndings ? kNoticeMixedAndZero
                                                                 : kNoticeZeroBytes);
    if (lossy && showErrors && host.showMessage) host.showMessage(host.context, kMsgLoadedLossily, kStyleWarning);
    if (ReadSetting(documents, "main", "FileWindowActive") == 1) CallHost(host.activateMainWindow, host);
    return kOpenLoaded;
}

void ShowOpenDialog(DocumentsState& documents)
{
    const DocumentsHost& host = documents.host;
    std::string path;
    documents.fileDialogEncoding = -1;
    if (host.chooseOpenFile == nullptr || !host.chooseOpenFile(host.context, path)) return;
    const int chosen = documents.fileDialogEncoding;
    std::optional<EncodingCode> code;
    if (chosen >= 0 && chosen < kEncodingChoiceCount) code = kEncodingChoices[chosen].code;
    OpenFile(documents, path, kOpenModeNormal, true, code);
}

FileDialogStart StartOfFileDialog(const DocumentsState& documents, bool save)
{
    const Document* current = GetDocument(documents.list, documents.list.currentSlot);
    FileDialogStart start;
    if (current == nullptr || current->filePath.empty()) {
        start.folder = documents.lastDialogFolder;
        return start;
    }
    start.folder = FolderOfPath(current->filePath);
    if (save) start.name = current->fileName;
    return start;
}

void NoteDialogChoice(DocumentsState& documents, const std::string& path)
{
    documents.lastDialogFolder = FolderOfPath(path);
}

void NewDocument(DocumentsState& documents)
{
    DocumentList& list = documents.list;
    if (ReadSetting(documents, "tab", "OnNew") != 1) {
        int reusable = FirstReusableSlot(list);
        if (reusable >= 0) {
            SelectSlot(list, documents.host, reusable);
            RefreshBar(documents.host);
            return;
        }
    }
    if (!AddTab(documents) && documents.host.showMessage) {
        documents.host.showMessage(documents.host.context, kMsgOutOfMemory, kStyleError);
    }
    RefreshTitle(documents.callbacks);
}
