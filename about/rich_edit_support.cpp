#include "about/rich_edit_support.h"

#include <richedit.h>

#include "about/callback_count.h"
#include "about/viewer_filter.h"
#include "common/win_handles.h"

namespace {

// The procedure of the current viewer that the filter replaced; set again at every opening.
WNDPROC previousViewerProcedure = nullptr;

LRESULT CALLBACK ViewerInputFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    bool shiftDown = message == WM_KEYDOWN && GetKeyState(VK_SHIFT) < 0;
    if (ViewerFilterVerdict(message, static_cast<uint32_t>(wParam), shiftDown) == FilterVerdict::Stop) {
        return 0;
    }
    return CallWindowProcA(previousViewerProcedure, window, message, wParam, lParam);
}

constexpr DWORD kNewStorageMode = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;

// A COM object without a heap: one per process, its count restarted for every viewer. The
// viewer only needs a storage for each embedded picture and permission to insert it.
class AboutOleCallback final : public IRichEditOleCallback {
public:
    void Restart() { count_.Restart(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IRichEditOleCallback)) {
            *object = static_cast<IRichEditOleCallback*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return count_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return count_.Release(); }

    STDMETHODIMP GetNewStorage(LPSTORAGE* storage) override {
        if (!storage) {
            return E_POINTER;
        }
        // The storage keeps its own reference to the lock-bytes, which free their memory with them.
        ComPtr<ILockBytes> lockBytes;
        HRESULT result = CreateILockBytesOnHGlobal(nullptr, TRUE, lockBytes.Put());
        if (FAILED(result)) {
            return result;
        }
        return StgCreateDocfileOnILockBytes(lockBytes.Get(), kNewStorageMode, 0, storage);
    }
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP ShowContainerUI(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return S_OK; }
    STDMETHODIMP DeleteObject(LPOLEOBJECT) override { return E_NOTIMPL; }
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override { return E_NOTIMPL; }

private:
    CallbackCount count_;
};

AboutOleCallback aboutOleCallback;

}  // namespace

void InstallViewerInputFilter(HWND viewer) {
    // The ANSI pair on both sides, whatever the viewer's class.
    previousViewerProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(viewer, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ViewerInputFilter)));
}

LRESULT InstallOleCallback(HWND viewer) {
    aboutOleCallback.Restart();
    return SendMessageA(viewer, EM_SETOLECALLBACK, 0,
                        reinterpret_cast<LPARAM>(static_cast<IRichEditOleCallback*>(&aboutOleCallback)));
}

IRichEditOleCallback* AboutOleCallbackObject() {
    return &aboutOleCallback;
}
