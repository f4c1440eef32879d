// An OLE drag as the shell makes one, for tests that drop files (and text) on windows through a
// real DoDragDrop: a data object offering CF_HDROP (and a text), and a drop source.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace oledrag {

// A DROPFILES block with wide names, each zero-terminated, and the empty name that ends it.
inline std::vector<BYTE> DropFilesBlock(const std::vector<std::wstring>& names)
{
    const DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
    std::wstring block(sizeof header / sizeof(wchar_t), L'\0');
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::wstring& name : names) block += name + L'\0';
    const BYTE* start = reinterpret_cast<const BYTE*>(block.c_str());  // with the terminator that ends the list
    return std::vector<BYTE>(start, start + (block.size() + 1) * sizeof(wchar_t));
}

// The COM side of an object on the stack: its references never free it.
template <typename Interface, const IID& kOwn>
class OnStack : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        const bool known = iid == IID_IUnknown || iid == kOwn;
        *out = known ? static_cast<Interface*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

// Offers a DROPFILES block as CF_HDROP and, when `text` is not empty, a text beside it.
class FileDataObject : public OnStack<IDataObject, IID_IDataObject> {
public:
    FileDataObject(std::vector<BYTE> block, std::wstring text) : block_(std::move(block)), text_(std::move(text)) {}
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (HRESULT ok = QueryGetData(format); ok != S_OK) return ok;
        const bool text = format->cfFormat == CF_UNICODETEXT;
        const void* bytes = text ? static_cast<const void*>(text_.c_str()) : block_.data();
        const size_t size = text ? (text_.size() + 1) * sizeof(wchar_t) : block_.size();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);  // no zero fill: the block ends where the source says
        std::memcpy(GlobalLock(memory), bytes, size);
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        bool offered = format->cfFormat == CF_HDROP || (format->cfFormat == CF_UNICODETEXT && !text_.empty());
        if (!offered) return DV_E_FORMATETC;
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
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
    std::vector<BYTE> block_;
    std::wstring text_;
};

// Drags for a few state checks (the target sees DragEnter and DragOver), then drops.
class ScriptedDropSource : public OnStack<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override
    {
        if (escape || ++checks_ > 50) return DRAGDROP_S_CANCEL;
        return checks_ > 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int checks_ = 0;
};

}  // namespace oledrag
