#include "drop_source.h"

#include <new>

IDropSource* DropSource::create() {
    return new (std::nothrow) DropSource;
}

HRESULT STDMETHODCALLTYPE DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
    if (escapePressed != FALSE) {
        return DRAGDROP_S_CANCEL;
    }
    return (keyState & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
}

HRESULT STDMETHODCALLTYPE DropSource::GiveFeedback(DWORD /*effect*/) {
    return DRAGDROP_S_USEDEFAULTCURSORS;
}
