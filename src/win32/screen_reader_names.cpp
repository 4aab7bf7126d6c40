#include "screen_reader_names.h"

// initguid.h first: oleacc.h then defines the identifiers it declares.
#include <initguid.h>
#include <oleacc.h>

#include "late_bound.h"

namespace win32 {

ScreenReaderNames::~ScreenReaderNames() {
    if (services_) services_->Release();
}

void ScreenReaderNames::Give(HWND window, const WindowDef& def) {
    if (!loaded_) {
        loaded_ = true;
        const auto coInitializeEx = late::CoInitializeEx.Get();
        const auto coCreateInstance = late::CoCreateInstance.Get();
        // COM may be ready already (an Open dialog readies it): either way it can be used.
        if (coInitializeEx && coCreateInstance) {
            coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            coCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                             reinterpret_cast<void**>(&services_));
        }
    }
    if (!services_) return;
    for (const ControlDef& control : def.controls) {
        if (!control.nameForScreenReaders) continue;
        services_->SetHwndPropStr(GetDlgItem(window, control.control.id), OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                                  control.nameForScreenReaders);
    }
}

void ScreenReaderNames::TakeBack(HWND window, const WindowDef& def) {
    if (!services_) return;
    MSAAPROPID name = PROPID_ACC_NAME;
    for (const ControlDef& control : def.controls) {
        if (control.nameForScreenReaders) {
            services_->ClearHwndProps(GetDlgItem(window, control.control.id), OBJID_CLIENT, CHILDID_SELF, &name, 1);
        }
    }
}

}  // namespace win32
