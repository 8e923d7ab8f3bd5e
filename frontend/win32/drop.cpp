#include "frontend/win32/drop.h"

#include <shellapi.h>

namespace tolvane::win32 {

namespace {

FORMATETC fileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

DWORD effectOf(int answer) {
    return answer == 1 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

} // namespace

std::vector<std::u16string> filesOfDrop(HDROP drop) {
    std::vector<std::u16string> files;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::u16string path(length + 1, u'\0');
        ::DragQueryFileW(drop, i, reinterpret_cast<wchar_t*>(path.data()), length + 1);
        path.resize(length);
        files.push_back(path);
    }
    return files;
}

bool OleDropData::hasFileList() const {
    FORMATETC format = fileListFormat();
    return data_ && data_->QueryGetData(&format) == S_OK;
}

std::vector<std::u16string> OleDropData::files() const {
    FORMATETC format = fileListFormat();
    STGMEDIUM medium{};
    if (!data_ || data_->GetData(&format, &medium) != S_OK) return {};
    const auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal));
    std::vector<std::u16string> files = drop ? filesOfDrop(drop) : std::vector<std::u16string>{};
    ::GlobalUnlock(medium.hGlobal);
    ::ReleaseStgMedium(&medium);
    return files;
}

HRESULT FileDropTarget::QueryInterface(REFIID id, void** object) {
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

// The window owns the target; the count only serves the system's calls.
ULONG FileDropTarget::Release() {
    return static_cast<ULONG>(::InterlockedDecrement(&references_));
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
    lastEffect_ = effectOf(handlers_.dragOver ? handlers_.dragOver(OleDropData(data)) : 0);
    *effect = lastEffect_;
    return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
    *effect = lastEffect_;
    return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
    lastEffect_ = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD /*keys*/, POINTL /*at*/, DWORD* effect) {
    *effect = effectOf(handlers_.drop ? handlers_.drop(OleDropData(data)) : 0);
    lastEffect_ = DROPEFFECT_NONE;
    return S_OK;
}

} // namespace tolvane::win32
