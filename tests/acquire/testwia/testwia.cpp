// A device manager of the image acquisition service for the tests: an
// in-process COM server registered (for the current user) under the
// service's class id. It lists one camera, and its picture dialog "takes" a
// photo of known pixels into the file it is given.
//   GY_TEST_WIA_CANCEL  "1": the dialog is cancelled (S_FALSE, no file)
#include <windows.h>
#include <objbase.h>
#include <wia.h>

#include <string>

#include "tests/acquire/testwia/testwia.h"
#include "tests/common/testutil_win.h"

namespace {

const CLSID kClsidWiaDevMgr = {0xa1f4e726, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidWiaDevMgr = {0x5eb2502a, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
const IID kIidEnumDevInfo = {0x5e38b83c, 0x8cf1, 0x11d1, {0xbf, 0x92, 0x00, 0x60, 0x08, 0x1e, 0xd8, 0x11}};
LONG g_objects = 0;

template <typename Base> class Unknown : public Base {
public:
    explicit Unknown(const IID &iid) : iid_(iid) { InterlockedIncrement(&g_objects); }
    virtual ~Unknown() { InterlockedDecrement(&g_objects); }
    HRESULT WINAPI QueryInterface(REFIID riid, void **out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, iid_)) {
            *out = static_cast<Base *>(this);
            this->AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return (ULONG)InterlockedIncrement(&refs_); }
    ULONG WINAPI Release() override {
        LONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return (ULONG)n;
    }

private:
    const IID &iid_;
    LONG refs_ = 1;
};

// One device, whose properties nobody here reads.
class DeviceList : public Unknown<IEnumWIA_DEV_INFO> {
public:
    DeviceList() : Unknown(kIidEnumDevInfo) {}
    HRESULT WINAPI Next(ULONG, IWiaPropertyStorage **, ULONG *fetched) override {
        if (fetched) *fetched = 0;
        return S_FALSE;
    }
    HRESULT WINAPI Skip(ULONG) override { return S_OK; }
    HRESULT WINAPI Reset() override { return S_OK; }
    HRESULT WINAPI Clone(IEnumWIA_DEV_INFO **) override { return E_NOTIMPL; }
    HRESULT WINAPI GetCount(ULONG *count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
};

class DeviceManager : public Unknown<IWiaDevMgr> {
public:
    DeviceManager() : Unknown(kIidWiaDevMgr) {}
    HRESULT WINAPI EnumDeviceInfo(LONG, IEnumWIA_DEV_INFO **list) override {
        if (!list) return E_POINTER;
        *list = new DeviceList;
        return S_OK;
    }
    HRESULT WINAPI CreateDevice(BSTR, IWiaItem **) override { return E_NOTIMPL; }
    HRESULT WINAPI SelectDeviceDlg(HWND, LONG, LONG, BSTR *, IWiaItem **) override { return E_NOTIMPL; }
    HRESULT WINAPI SelectDeviceDlgID(HWND, LONG, LONG, BSTR *) override { return E_NOTIMPL; }
    HRESULT WINAPI GetImageDlg(HWND, LONG deviceType, LONG, LONG, IWiaItem *, BSTR file, GUID *) override {
        char cancel[4] = "";
        GetEnvironmentVariableA("GY_TEST_WIA_CANCEL", cancel, sizeof cancel);
        if (cancel[0] == '1') return S_FALSE;
        if (!file || deviceType != 2) return E_INVALIDARG;  // cameras only
        char path[MAX_PATH] = "";
        if (!WideCharToMultiByte(CP_ACP, 0, file, -1, path, sizeof path, nullptr, nullptr)) return E_INVALIDARG;
        return WriteBmp24(path, kTestPhotoSide, kTestPhotoSide, TestPhotoPixel) ? S_OK : E_FAIL;
    }
    HRESULT WINAPI RegisterEventCallbackProgram(LONG, BSTR, const GUID *, BSTR, BSTR, BSTR, BSTR) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI RegisterEventCallbackInterface(LONG, BSTR, const GUID *, IWiaEventCallback *, IUnknown **) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI RegisterEventCallbackCLSID(LONG, BSTR, const GUID *, const GUID *, BSTR, BSTR, BSTR) override {
        return E_NOTIMPL;
    }
    HRESULT WINAPI AddDeviceDlg(HWND, LONG) override { return E_NOTIMPL; }
};

class Factory : public Unknown<IClassFactory> {
public:
    Factory() : Unknown(IID_IClassFactory) {}
    HRESULT WINAPI CreateInstance(IUnknown *outer, REFIID riid, void **out) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        DeviceManager *m = new DeviceManager;
        HRESULT hr = m->QueryInterface(riid, out);
        m->Release();
        return hr;
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }
};

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void **out) {
    if (!IsEqualCLSID(clsid, kClsidWiaDevMgr)) return CLASS_E_CLASSNOTAVAILABLE;
    Factory *f = new Factory;
    HRESULT hr = f->QueryInterface(riid, out);
    f->Release();
    return hr;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }
