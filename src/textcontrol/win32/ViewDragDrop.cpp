// OLE drag and drop of text: the view as a drop target, as a drag source, and the small
// data object that carries the dragged text. Files dropped on a view are handed to its
// parent window, which opens them as if they had been dropped on it.
#include "textcontrol/win32/ViewDragDrop.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "textcontrol/model/OleModes.h"
#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewLayout.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

bool OleReady()
{
    static const bool ready = SUCCEEDED(OleInitialize(nullptr));
    return ready;
}

DWORD EffectForMode(int mode, DWORD keys, DWORD allowed)
{
    DWORD wanted;
    if (mode & kOleCopy)
        wanted = DROPEFFECT_COPY;
    else if (mode & kOleByCtrlKey)
        wanted = (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    else
        wanted = DROPEFFECT_MOVE;
    if (allowed & wanted) return wanted;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return allowed & DROPEFFECT_MOVE;
}

std::wstring TextOfDataObject(IDataObject* data)
{
    std::wstring text;
    FORMATETC format = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (data && SUCCEEDED(data->GetData(&format, &medium))) {
        size_t units = GlobalSize(medium.hGlobal) / sizeof(wchar_t);
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))) {
            size_t n = 0;
            while (n < units && wide[n]) ++n;
            text.assign(wide, n);
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
    }
    return text;
}

bool HasText(IDataObject* data)
{
    FORMATETC format = {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&format) == S_OK;
}

bool HasFiles(IDataObject* data)
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data && data->QueryGetData(&format) == S_OK;
}

// Hands the files of a drop to `parent` as WM_DROPFILES, as if they had been dropped on
// it. Posted, not sent: the drag source stays blocked in its drag until Drop returns, and
// opening files can take long. The copy belongs to the message; the parent's handler frees
// it with DragFinish, like every WM_DROPFILES.
bool PostDroppedFiles(HWND parent, IDataObject* data)
{
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (!parent || !data || FAILED(data->GetData(&format, &medium))) return false;
    HGLOBAL copy = medium.tymed == TYMED_HGLOBAL && medium.hGlobal ? CopyOfDropFiles(medium.hGlobal) : nullptr;
    ReleaseStgMedium(&medium);
    if (!copy) return false;
    if (!PostMessageW(parent, WM_DROPFILES, reinterpret_cast<WPARAM>(copy), 0)) {
        GlobalFree(copy);
        return false;
    }
    return true;
}

class TextDataObject : public IDataObject {
public:
    explicit TextDataObject(std::wstring text) : text_(std::move(text)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!format || !medium) return E_INVALIDARG;
        HRESULT ok = QueryGetData(format);
        if (ok != S_OK) return ok;
        HGLOBAL memory = nullptr;
        if (format->cfFormat == CF_UNICODETEXT) {
            size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
            memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
            if (void* p = memory ? GlobalLock(memory) : nullptr) {
                std::memcpy(p, text_.c_str(), bytes);
                GlobalUnlock(memory);
            }
        } else {
            int bytes = WideCharToMultiByte(CP_ACP, 0, text_.c_str(), -1, nullptr, 0, nullptr, nullptr);
            memory = bytes > 0 ? GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(bytes)) : nullptr;
            if (void* p = memory ? GlobalLock(memory) : nullptr) {
                WideCharToMultiByte(CP_ACP, 0, text_.c_str(), -1, static_cast<char*>(p), bytes, nullptr, nullptr);
                GlobalUnlock(memory);
            }
        }
        if (!memory) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        if (!format) return E_INVALIDARG;
        if (format->cfFormat != CF_UNICODETEXT && format->cfFormat != CF_TEXT) return DV_E_FORMATETC;
        if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC formats[2] = {{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                                {CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}};
        return SHCreateStdEnumFmtEtc(2, formats, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    virtual ~TextDataObject() = default;
    LONG references_ = 1;
    std::wstring text_;
};

class TextDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    virtual ~TextDropSource() = default;
    LONG references_ = 1;
};

}  // namespace

// The copy ends in zero bytes beyond the source's own, so that a list the source forgot to
// terminate still ends inside it (six bytes end a wide list at either alignment).
HGLOBAL CopyOfDropFiles(HGLOBAL block)
{
    constexpr SIZE_T kTerminator = 8;
    SIZE_T size = GlobalSize(block);
    const auto* source = static_cast<const BYTE*>(GlobalLock(block));
    if (!source) return nullptr;
    HGLOBAL copy = nullptr;
    if (size >= sizeof(DROPFILES)) {
        DWORD listStart = reinterpret_cast<const DROPFILES*>(source)->pFiles;
        if (listStart >= sizeof(DROPFILES) && listStart <= size) {
            copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + kTerminator);
            if (void* target = copy ? GlobalLock(copy) : nullptr) {
                std::memcpy(target, source, size);
                GlobalUnlock(copy);
            } else if (copy) {
                GlobalFree(copy);
                copy = nullptr;
            }
        }
    }
    GlobalUnlock(block);
    return copy;
}

// Moves or copies the selection to an offset of the same text; a move is one replacement
// of the stretch between the text and its new place, so that one undo takes it back.
bool MoveSelectionWithin(EditorView& view, int target, bool move)
{
    TextModel& model = view.model;
    if (!model.HasSelection() || !model.IsEditable()) return false;
    int start = model.SelectionStartOffset();
    int end = model.SelectionEndOffset();
    target = model.OffsetOfPosition(model.PositionOfOffset(target));  // onto a character boundary
    if (move && target >= start && target <= end) return false;       // onto itself
    std::string moved = SelectedText(view);
    int length = end - start;
    model.SealUndoStep();
    if (!move) {
        model.SelectRange(target, target);
        model.InsertText(moved);
        model.SelectRange(target, target + length);
    } else {
        int from = std::min(start, target);
        int to = std::max(end, target);
        model.SelectRange(from, to);
        std::string span = SelectedText(view);
        // Offsets and the text both count a line break as two bytes, so they line up.
        size_t cut = static_cast<size_t>(target < start ? start - from : length);
        if (cut > span.size()) return false;
        std::string rearranged = span.substr(cut) + span.substr(0, cut);
        model.InsertText(rearranged);
        int newStart = target < start ? from : to - length;
        model.SelectRange(newStart, newStart + length);
    }
    model.SealUndoStep();
    UpdateView(view, kUpdateAll);
    return true;
}

bool MoveSelectionWithin(int view, int targetOffset, bool move)
{
    EditorView* record = FindView(view);
    try {
        return record && MoveSelectionWithin(*record, targetOffset, move);
    } catch (...) {
        return false;
    }
}

struct ViewDropTarget : public IDropTarget {
    explicit ViewDropTarget(int viewId) : id(viewId) {}
    virtual ~ViewDropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        Inspect(data);
        return DragOver(keys, point, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override
    {
        if (!effect) return E_INVALIDARG;
        EditorView* view = FindView(id);
        if (files) {
            // Files go to the parent whatever the text in the view allows; the text does
            // not change, so no caret shows a place for them.
            bool canHandOver = view && view->parent && (*effect & DROPEFFECT_COPY);
            *effect = canHandOver ? DROPEFFECT_COPY : DROPEFFECT_NONE;
            return S_OK;
        }
        if (!view || !view->window || !acceptable || (view->look.oleMode & kOleRefuseDrops) ||
            !view->model.IsEditable()) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        *effect = EffectForMode(view->look.oleMode, keys, *effect);
        // The caret shows where the text would land.
        POINT client = {point.x, point.y};
        ScreenToClient(view->window, &client);
        POINT at = PointOfPosition(*view, PositionAtPoint(*view, client));
        if (view->caretCreated) SetCaretPos(at.x, at.y);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        if (EditorView* view = FindView(id)) PlaceCaret(*view);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override
    {
        Inspect(data);
        HRESULT over = DragOver(keys, point, effect);
        EditorView* view = FindView(id);
        if (FAILED(over) || !view || *effect == DROPEFFECT_NONE) return over;
        if (files) {
            if (!PostDroppedFiles(view->parent, data)) *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        try {
            std::int64_t lost = 0;
            std::string text = WideToInternal(TextOfDataObject(data).c_str(), static_cast<size_t>(-1), &lost);
            if (text.empty()) {
                *effect = DROPEFFECT_NONE;
                return S_OK;
            }
            POINT client = {point.x, point.y};
            ScreenToClient(view->window, &client);
            int target = view->model.OffsetOfPosition(PositionAtPoint(*view, client));
            if (view->dragSource) {
                // Inside one view the view moves or copies its own bytes, and the source
                // side deletes nothing afterwards.
                view->dropHandledBySource = true;
                MoveSelectionWithin(*view, target, *effect == DROPEFFECT_MOVE);
            } else {
                DropFromOutside(*view, text, target);
                ReportLostCharacters(*view, lost);
            }
            SetFocus(view->window);
        } catch (...) {
            *effect = DROPEFFECT_NONE;
        }
        return S_OK;
    }

    static void DropFromOutside(EditorView& view, const std::string& text, int target)
    {
        view.model.SelectRange(target, target);
        InsertTyped(view, text, true);
    }

    // Files win over text when a source offers both: file managers put the names of the
    // dragged files beside them as text, and a user who drags files wants them opened,
    // not their names typed into the document.
    void Inspect(IDataObject* data)
    {
        files = HasFiles(data);
        acceptable = files || HasText(data);
    }

    int id;
    LONG references = 1;
    bool acceptable = false;  // the data offers files or text
    bool files = false;       // the data offers files: they go to the parent
};

void RegisterDropTarget(EditorView& view)
{
    if (!view.window || !OleReady()) return;
    auto* target = new (std::nothrow) ViewDropTarget(view.id);
    if (!target) return;
    if (SUCCEEDED(RegisterDragDrop(view.window, target))) view.dropTarget = target;
    target->Release();  // the registration holds it now
}

void RevokeDropTarget(EditorView& view)
{
    if (view.dropTarget && view.window) RevokeDragDrop(view.window);
    view.dropTarget = nullptr;
}

bool DragSelection(EditorView& view)
{
    if (!OleReady() || !view.model.HasSelection() || (view.look.oleMode & kOleRefuseDrags)) return false;
    IDataObject* data = nullptr;
    try {
        data = new TextDataObject(WideFromInternal(SelectedText(view)));
    } catch (...) {
        return false;
    }
    auto* source = new (std::nothrow) TextDropSource();
    if (!source) {
        data->Release();
        return false;
    }
    DWORD allowed = DROPEFFECT_COPY;
    if (view.model.IsEditable() && !(view.look.oleMode & kOleCopy)) allowed |= DROPEFFECT_MOVE;
    DWORD effect = DROPEFFECT_NONE;
    int id = view.id;
    view.dragSource = true;
    view.dropHandledBySource = false;
    HRESULT result = DoDragDrop(data, source, allowed, &effect);
    data->Release();
    source->Release();
    EditorView* still = FindView(id);
    if (still != &view) return result == DRAGDROP_S_DROP;  // destroyed during the drag
    view.dragSource = false;
    if (result == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE && !view.dropHandledBySource) {
        // Moved out to another window: the text leaves this one.
        view.model.SealUndoStep();
        view.model.InsertText(std::string_view());
        view.model.SealUndoStep();
        UpdateView(view, kUpdateAll);
    }
    return result == DRAGDROP_S_DROP;
}

IDataObject* CreateTextDataObject(const std::wstring& text)
{
    try {
        return new TextDataObject(text);
    } catch (...) {
        return nullptr;
    }
}

IDropTarget* DropTargetOfView(int id)
{
    EditorView* view = FindView(id);
    return view ? view->dropTarget : nullptr;
}

}  // namespace kvte::textcontrol
