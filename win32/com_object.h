#pragma once

#include <atomic>
#include <ole2.h>

// The IUnknown of an object that implements one COM interface: it answers for IUnknown and
// that interface, starts with one reference and deletes itself at the last Release.
template <typename Interface, const IID& interfaceId> class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) final {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, interfaceId)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() final { return ++m_references; }

    ULONG STDMETHODCALLTYPE Release() final {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> m_references{1};
};
