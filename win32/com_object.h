#pragma once

#include <atomic>
#include <ole2.h>
#include <type_traits>

// The IUnknown of an object that implements one COM interface: it answers for IUnknown and
// that interface (and IDispatch, where the interface is built on it), starts with one reference and
// deletes itself at the last Release.
template <typename Interface, const IID& interfaceId> class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) final {
        if (object == nullptr) {
            return E_POINTER;
        }
        // An interface built on IDispatch, as Active Accessibility's is, answers for it too.
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, interfaceId) ||
            (std::is_base_of_v<IDispatch, Interface> && IsEqualIID(id, IID_IDispatch))) {
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
