#include "screen_reader_names.h"

// The identifiers defined here: the import library has them only as a DLL's data, which a
// plain reference does not reach.
#include <initguid.h>
#include <oleacc.h>

namespace {

IAccPropServices* annotationService() {
    IAccPropServices* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&service)))) {
        return nullptr;
    }
    return service;
}

} // namespace

void nameForScreenReaders(HWND control, const wchar_t* name, long role) {
    IAccPropServices* service = annotationService();
    if (service == nullptr) {
        return;
    }
    service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                            PROPID_ACC_NAME, name);
    VARIANT roleValue;
    VariantInit(&roleValue);
    roleValue.vt = VT_I4;
    roleValue.lVal = role;
    service->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE,
                         roleValue);
    service->Release();
}

void forgetScreenReaderName(HWND control) {
    IAccPropServices* service = annotationService();
    if (service == nullptr) {
        return;
    }
    MSAAPROPID annotated[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE};
    service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, annotated, 2);
    service->Release();
}
