// Saving, the questions about unsaved changes, and closing tabs.
#include "documents/SaveDocuments.h"
#include "documents/Session.h"

#include "documents/FileChanges.h"
#include "encoding/FileText.h"
#include "files/FileAccess.h"
#include "files/FolderAccess.h"

namespace {

int Show(DocumentsState& documents, int message, unsigned style)
{
    const DocumentsHost& host = documents.host;
    return host.showMessage ? host.showMessage(host.context, message, style) : kAnswerCancel;
}

}  // namespace

bool SaveDocument(DocumentsState& documents, int slot, const std::string& path)
{
    Document* document = GetDocument(documents.list, slot);
    if (document == nullptr) return false;
    const DocumentsHost& host = documents.host;

    // A read-only file is never made writable: the user is told why and may choose
    // another name instead of meeting a bare "could not write".
    if (IsReadOnlyFile(path.c_str())) {
        if (Show(documents, kMsgReadOnlySaveAs, kStyleYesNoQuestion) != kAnswerYes) return false;
        return SaveDocumentAs(documents, slot);
    }

    if (!MayOverwriteFile(documents, slot, path)) return false;
    if (document->loadedLossily && path == document->filePath &&
        Show(documents, kMsgConfirmLossySave, kStyleYesNoQuestion) != kAnswerYes) {
        return false;
    }

    const SaveSettings settings = ReadSaveSettings(documents);
    const LineEndingCode lineEnding = SaveLineEndingOf(*document, settings);
    std::string text;
    if (host.getText && !host.getText(host.context, slot, static_cast<int>(lineEnding), text)) {
        Show(documents, kMsgOutOfMemory, kStyleError);
        return false;
    }
    const EncodingCode code = SaveEncodingOf(*document, settings);

    // The view already gave the text its line ending. The text is handed over: when the
    // code keeps InternalText as it is, it becomes the file's bytes without a copy.
    std::string bytes;
    std::int64_t unheld = 0;
    if (!EncodeFileBytes(std::move(text), code, LineEndingCode::Automatic, bytes, document->unicodeForm, &unheld)) {
        Show(documents, kMsgOutOfMemory, kStyleError);
        return false;
    }
    // Characters the encoding cannot hold are never replaced unasked.
    if (unheld > 0 && Show(documents, kMsgConfirmUnheldSave, kStyleYesNoQuestion) != kAnswerYes) return false;
    const FileStatus written = ReplaceWholeFile(path.c_str(), bytes.data(), bytes.size());
    if (!written) {
        Show(documents, written.kind == FileErrorKind::OutOfMemory ? kMsgOutOfMemory : kMsgWriteFailed, kStyleError);
        return false;
    }
    SetPath(*document, path);
    // The bar and the next save go by what the file now is.
    document->encoding = code;
    if (lineEnding != LineEndingCode::Automatic) CallHost(host.setLineEnding, host, slot, static_cast<int>(lineEnding));
    CallHost(host.markSaved, host, slot);
    document->loadedLossily = false;
    document->stamp = ReadFileStamp(path.c_str());
    DropRecoveryCopy(documents.recovery, slot);
    NoteRecentFile(documents.recent, path);
    RefreshTitle(documents.callbacks);
    CallHost(host.repaintBar, host);
    return true;
}

SaveSettings ReadSaveSettings(DocumentsState& documents)
{
    SaveSettings settings;
    settings.kanji = ReadSetting(documents, "main", "kanji");
    settings.retline = ReadSetting(documents, "main", "retline");
    settings.utf16Bom = ReadSetting(documents, "main", "utf16_bom") == 1;
    settings.utf8Bom = ReadSetting(documents, "main", "utf8_bom") == 1;
    return settings;
}

bool SaveDocumentAs(DocumentsState& documents, int slot)
{
    if (GetDocument(documents.list, slot) == nullptr) return false;
    const DocumentsHost& host = documents.host;
    std::string path;
    documents.saveOffer = OfferSave(*GetDocument(documents.list, slot), ReadSaveSettings(documents));
    documents.saveSlot = slot;
    const bool chosen = host.chooseSaveFile != nullptr && host.chooseSaveFile(host.context, path);
    documents.saveSlot = -1;
    if (!chosen) return false;
    Document* document = GetDocument(documents.list, slot);
    if (document == nullptr) return false;
    // A save that does not happen leaves the document's choices as they were.
    const EncodingCode encoding = document->encoding;
    const bool encodingChosen = document->encodingChosen;
    const LineEndingCode lineEnding = document->lineEnding;
    TakeSaveChoice(*document, documents.saveOffer);
    const bool saved = SaveDocument(documents, slot, path);
    if (!saved && GetDocument(documents.list, slot) == document) {
        document->encoding = encoding;
        document->encodingChosen = encodingChosen;
        document->lineEnding = lineEnding;
    }
    ApplyFileType(documents.callbacks, slot, path);
    return saved;
}

bool SaveCurrent(DocumentsState& documents)
{
    DocumentList& list = documents.list;
    const Document& current = CurrentDocument(list);
    if (!current.filePath.empty()) return SaveDocument(documents, list.currentSlot, current.filePath);
    if (!SaveDocumentAs(documents, list.currentSlot)) return false;
    RefreshTitle(documents.callbacks);
    CallHost(documents.host.repaintBar, documents.host);
    return true;
}

bool SaveAll(DocumentsState& documents)
{
    DocumentList& list = documents.list;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        const Document* document = GetDocument(list, slot);
        if (document == nullptr) continue;
        if (!document->filePath.empty()) {
            // A copy: the save replaces the document's path with the same text.
            std::string path = document->filePath;
            SaveDocument(documents, slot, path);
        } else {
            SaveDocumentAs(documents, slot);
        }
    }
    RefreshTitle(documents.callbacks);
    CallHost(documents.host.repaintBar, documents.host);
    return true;
}

bool ConfirmClose(DocumentsState& documents, int slot)
{
    const Document* document = GetDocument(documents.list, slot);
    if (document == nullptr) return false;
    if (!document->modified) return true;
    const DocumentsHost& host = documents.host;
    // The user answers about what is on screen.
    if (slot != documents.list.currentSlot) {
        SelectSlot(documents.list, host, slot);
        RefreshBar(host);
    }
    const std::string name = document->fileName.empty() ? std::string(kUntitledName) : document->fileName;
    const int answer = host.askSaveChanges ? host.askSaveChanges(host.context, name) : kAnswerCancel;
    if (answer == kAnswerNo) return true;
    if (answer != kAnswerYes) return false;
    if (document->filePath.empty()) return SaveDocumentAs(documents, slot);
    std::string path = document->filePath;
    return SaveDocument(documents, slot, path);
}

void CloseCurrentTab(DocumentsState& documents)
{
    DocumentList& list = documents.list;
    if (GetDocument(list, list.currentSlot) == nullptr || !ConfirmClose(documents, list.currentSlot)) return;
    DropRecoveryCopy(documents.recovery, list.currentSlot);
    if (!RemoveDocument(list, documents.host, list.currentSlot)) {
        ApplyEditorSettings(documents.callbacks, list.currentSlot);
    }
    RefreshTitle(documents.callbacks);
}

bool CloseAllTabs(DocumentsState& documents, bool ask)
{
    if (ask && ReadSetting(documents, "notice", "OnCloseAll") == 1 &&
        Show(documents, kMsgConfirmCloseAll, kStyleYesNoQuestion) != kAnswerYes) {
        return false;
    }
    DocumentList& list = documents.list;
    for (int slot = 0; slot < list.slotCount; ++slot) {
        if (GetDocument(list, slot) != nullptr && !ConfirmClose(documents, slot)) return false;
    }
    for (int slot = 0; slot < list.slotCount; ++slot) {
        if (GetDocument(list, slot) == nullptr) continue;
        DropRecoveryCopy(documents.recovery, slot);
        RemoveDocument(list, documents.host, slot);
    }
    ApplyEditorSettings(documents.callbacks, list.currentSlot);
    RefreshTitle(documents.callbacks);
    RefreshBar(documents.host);
    return true;
}

bool ConfirmExit(DocumentsState& documents)
{
    if (ReadSetting(documents, "notice", "OnEnd") == 1 &&
        Show(documents, kMsgConfirmExit, kStyleYesNoQuestion) != kAnswerYes) {
        return false;
    }
    const bool wrapped = CurrentDocument(documents.list).wrapped;
    // Gathered while the tabs are there; kept only once every one of them may close.
    const bool keepSession = ReadSetting(documents, "main", "session") == 1;
    const Session session = keepSession ? SessionOfDocuments(documents) : Session{};
    if (!CloseAllTabs(documents, false)) return false;
    if (documents.settings && SetSection(*documents.settings, "main")) {
        WriteInt(*documents.settings, "lapel", wrapped ? 1 : 0);
    }
    if (documents.settings) WriteRecentFiles(documents.recent, *documents.settings);
    // With the session off, one kept from before is emptied so that it never comes back.
    if (documents.settings && (keepSession || !ReadSession(*documents.settings).files.empty())) {
        WriteSession(session, *documents.settings);
    }
    return true;
}
