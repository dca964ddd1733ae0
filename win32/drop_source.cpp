#include "drop_source.h"

#include <new>

IDropSource* DropSource::create() {
    return new (std::nothrow) DropSource;
}

HRESULT STDMETHODCALLTYPE DropSource::QueryInterface(REFIID interfaceId, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDropSource)) {
        *object = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropSource::AddRef() {
    return ++m_references;
}

ULONG STDMETHODCALLTYPE DropSource::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
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
