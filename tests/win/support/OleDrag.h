// An OLE drag as the shell makes one, for tests that drop files (and text) on windows
// through a real DoDragDrop: a data object offering a DROPFILES block as CF_HDROP (and a
// text beside it), and a drop source that drags for a few checks, then drops.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace oledrag {

// A DROPFILES block with wide names, each zero-terminated, and the empty name that ends
// the list.
inline std::vector<BYTE> DropFilesBlock(const std::vector<std::wstring>& names)
{
    std::wstring list;
    for (const std::wstring& name : names) list += name + L'\0';
    list += L'\0';
    std::vector<BYTE> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(block.data(), &header, sizeof header);
    std::memcpy(block.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
    return block;
}

// Offers a DROPFILES block as CF_HDROP and, when `text` is not empty, a text beside it.
class FileDataObject : public IDataObject {
public:
    FileDataObject(std::vector<BYTE> block, std::wstring text) : block_(std::move(block)), text_(std::move(text)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }  // lives on the stack

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        HRESULT ok = QueryGetData(format);
        if (ok != S_OK) return ok;
        const void* bytes = block_.data();
        size_t size = block_.size();
        if (format->cfFormat == CF_UNICODETEXT) {
            bytes = text_.c_str();
            size = (text_.size() + 1) * sizeof(wchar_t);
        }
        // No zero fill: the block ends exactly where the source says it does.
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        bool offered = format->cfFormat == CF_HDROP || (format->cfFormat == CF_UNICODETEXT && !text_.empty());
        if (!offered) return DV_E_FORMATETC;
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ULONG references_ = 1;
    std::vector<BYTE> block_;
    std::wstring text_;
};

// Keeps dragging for a few state checks (so the target sees DragEnter and DragOver), then
// drops; records the effects the target answered while the drag went on.
class ScriptedDropSource : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }  // lives on the stack
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override
    {
        if (escape || ++checks_ > 50) return DRAGDROP_S_CANCEL;
        return checks_ > 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        feedback.push_back(effect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }

    std::vector<DWORD> feedback;

private:
    int checks_ = 0;
};

}  // namespace oledrag
