#include "drop_target.h"

#include <new>
#include <utility>

IDropTarget* DropTarget::create(std::function<void(IDataObject&)> dropped,
                                std::function<bool()> isOwnDrag) {
    auto* target = new (std::nothrow) DropTarget;
    if (target != nullptr) {
        target->m_dropped = std::move(dropped);
        target->m_isOwnDrag = std::move(isOwnDrag);
    }
    return target;
}

DWORD DropTarget::effectFor(DWORD allowed) const {
    return m_accepting && (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD /*keyState*/,
                                                POINTL /*at*/, DWORD* effect) {
    m_accepting = data != nullptr && !m_isOwnDrag();
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD /*keyState*/, POINTL /*at*/, DWORD* effect) {
    *effect = effectFor(*effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
    m_accepting = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD /*keyState*/, POINTL /*at*/,
                                           DWORD* effect) {
    *effect = effectFor(*effect);
    const bool take = m_accepting && data != nullptr;
    m_accepting = false;
    // Read before the drop returns, while the source still holds the data; what it names
    // is drawn after.
    if (take) {
        m_dropped(*data);
    }
    return S_OK;
}
