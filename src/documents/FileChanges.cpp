// Noticing files changed by another program and reloading them.
#include "documents/FileChanges.h"

#include "encoding/FileText.h"
#include "files/FileAccess.h"

namespace {

int Ask(DocumentsState& documents, int message, unsigned style, const std::string& name)
{
    const DocumentsHost& host = documents.host;
    return host.showNamedMessage ? host.showNamedMessage(host.context, message, style, name) : kAnswerNo;
}

// Marks the documents' subsystem as asking; the mark goes with the scope.
struct QuestionOpen {
    explicit QuestionOpen(bool& flag) : flag_(flag) { flag_ = true; }
    ~QuestionOpen() { flag_ = false; }
    bool& flag_;
};

}  // namespace

ChangeAction DecideOnChange(bool hasPath, bool modified, const FileStamp& kept, const FileStamp& now, int reloadSetting)
{
    if (!hasPath || !kept.exists || kept == now) return ChangeAction::None;
    if (!now.exists) return ChangeAction::ReportGone;
    if (reloadSetting == 2) return ChangeAction::None;
    // Reloading over the tab's own changes is never done without asking.
    if (modified) return ChangeAction::WarnModified;
    return reloadSetting == 1 ? ChangeAction::Reload : ChangeAction::AskReload;
}

int CheckFileChanges(DocumentsState& documents)
{
    if (documents.askingAboutChanges) return 0;
    QuestionOpen open(documents.askingAboutChanges);
    const int reloadSetting = ReadSetting(documents, "main", "reload");
    int reloaded = 0;
    DocumentList& list = documents.list;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        Document* document = GetDocument(list, slot);
        if (document == nullptr || document->filePath.empty()) continue;
        const FileStamp now = ReadFileStamp(document->filePath.c_str());
        const ChangeAction action =
            DecideOnChange(true, document->modified, document->stamp, now, reloadSetting);
        if (action == ChangeAction::None) continue;
        const std::string name = document->fileName;
        // Taken before asking: the answer is about this change, and a later one asks again.
        document->stamp = now;
        bool reload = action == ChangeAction::Reload;
        // The tab asked about is the one shown.
        if (action != ChangeAction::Reload && slot != list.currentSlot) {
            SelectSlot(list, documents.host, slot);
            RefreshBar(documents.host);
        }
        switch (action) {
        case ChangeAction::AskReload:
            reload = Ask(documents, kMsgFileChanged, kStyleYesNoQuestion, name) == kAnswerYes;
            break;
        case ChangeAction::WarnModified:
            reload = Ask(documents, kMsgFileChangedModified, kStyleYesNoWarningDefaultNo, name) == kAnswerYes;
            break;
        case ChangeAction::ReportGone:
            document->modified = true;
            RefreshTitle(documents.callbacks);
            RefreshBar(documents.host);
            Ask(documents, kMsgFileGone, kStyleWarning, name);
            break;
        default:
            break;
        }
        // The list may have changed while the question was open (a tab closed by a tool).
        if (reload && GetDocument(list, slot) == document && ReloadDocument(documents, slot, true)) ++reloaded;
    }
    return reloaded;
}

namespace {

// chosen: the code the user picked, or null for the one the file was read in.
bool Reload(DocumentsState& documents, int slot, bool showErrors, const EncodingCode* chosen)
{
    Document* document = GetDocument(documents.list, slot);
    if (document == nullptr || document->filePath.empty()) return false;
    const DocumentsHost& host = documents.host;
    auto fail = [&](int message) {
        if (showErrors && host.showMessage) host.showMessage(host.context, message, kStyleError);
        return false;
    };
    std::string bytes;
    const FileStatus read = ReadWholeFile(document->filePath.c_str(), bytes);
    if (!read) {
        return fail(read.kind == FileErrorKind::NotFound ? kMsgFileNotFound
                    : read.kind == FileErrorKind::TooLarge || read.kind == FileErrorKind::OutOfMemory
                        ? kMsgOutOfMemory
                        : kMsgReadFailed);
    }
    const EncodingCode code = chosen ? ChosenCodeForFile(*chosen, bytes) : document->encoding;
    DecodedFile decoded;
    if (!DecodeFileBytesAs(std::move(bytes), code, decoded)) return fail(kMsgOutOfMemory);
    if (host.reloadText && !host.reloadText(host.context, slot, std::move(decoded.text))) return fail(kMsgOutOfMemory);
    CallHost(host.markSaved, host, slot);  // undoing the reload reads as modified, redoing it as saved
    document->stamp = ReadFileStamp(document->filePath.c_str());
    document->modified = false;
    document->loadedLossily = decoded.replaced > 0 || decoded.mixedForms;
    document->unicodeForm = decoded.unicodeForm;  // saving writes back the form the file uses now
    if (chosen) {
        document->encoding = code;
        document->encodingChosen = true;
    }
    DropRecoveryCopy(documents.recovery, slot);
    RefreshTitle(documents.callbacks);
    RefreshBar(host);
    if (chosen && document->loadedLossily && showErrors && host.showMessage)
        host.showMessage(host.context, kMsgLoadedLossily, kStyleWarning);
    return true;
}

}  // namespace

bool ReloadDocument(DocumentsState& documents, int slot, bool showErrors)
{
    return Reload(documents, slot, showErrors, nullptr);
}

bool ReopenDocumentAs(DocumentsState& documents, int slot, EncodingCode code)
{
    const Document* document = GetDocument(documents.list, slot);
    if (document == nullptr || document->filePath.empty()) return false;
    const DocumentsHost& host = documents.host;
    if (document->modified &&
        (host.showMessage == nullptr ||
         host.showMessage(host.context, kMsgReopenDiscardsChanges, kStyleYesNoWarningDefaultNo) != kAnswerYes))
        return false;
    return Reload(documents, slot, true, &code);
}

bool MayOverwriteFile(DocumentsState& documents, int slot, const std::string& path)
{
    const Document* document = GetDocument(documents.list, slot);
    if (document == nullptr || path != document->filePath || !document->stamp.exists) return true;
    const FileStamp now = ReadFileStamp(path.c_str());
    if (!now.exists || now == document->stamp) return true;
    return Ask(documents, kMsgOverwriteChangedFile, kStyleYesNoWarningDefaultNo, document->fileName) == kAnswerYes;
}
