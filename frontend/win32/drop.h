#pragma once
// Files dragged from Explorer onto the list: an OLE drop target that offers
// only lists of files (CF_HDROP) to the window's drag-over and drop handlers.

#include "platform/ui.h"

#include <functional>
#include <ole2.h>
#include <windows.h>

namespace tolvane::win32 {

// The full paths of a dropped file list, in the order of the source.
std::vector<std::u16string> filesOfDrop(HDROP drop);

// What an OLE data object carries, as the window's handlers see it.
class OleDropData : public DropData {
  public:
    explicit OleDropData(IDataObject* data) : data_(data) {}
    bool hasFileList() const override;
    std::vector<std::u16string> files() const override;

  private:
    IDataObject* data_;
};

// The handlers answer with the effect: 1 copy, 0 none.
struct DropHandlers {
    std::function<int(const DropData&)> dragOver;
    std::function<int(const DropData&)> drop;
};

class FileDropTarget : public IDropTarget {
  public:
    explicit FileDropTarget(const DropHandlers& handlers) : handlers_(handlers) {}
    virtual ~FileDropTarget() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at,
                                   DWORD* effect) override;

  private:
    const DropHandlers& handlers_;
    LONG references_ = 1;
    DWORD lastEffect_ = DROPEFFECT_NONE;
};

} // namespace tolvane::win32
