#pragma once

#include "com_object.h"

#include <functional>
#include <ole2.h>

// The canvas as a place to drop on: it takes a copy of whatever is dropped and hands it on,
// except what the canvas's own drag carries.
class DropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
public:
    // A new drop target with one reference, or none where memory is short. isOwnDrag tells
    // whether a drag under way is the canvas's own.
    static IDropTarget* create(std::function<void(IDataObject&)> dropped,
                               std::function<bool()> isOwnDrag);

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL at,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL at,
                                   DWORD* effect) override;

private:
    DropTarget() = default;
    ~DropTarget() override = default;
    DWORD effectFor(DWORD allowed) const;

    std::function<void(IDataObject&)> m_dropped;
    std::function<bool()> m_isOwnDrag;
    bool m_accepting = false; // the drag under way may be dropped here
};
