#pragma once

#include "com_object.h"

#include <ole2.h>

// The side of a drag that the program starts: it goes on while the left button is held and
// ends in a drop when it is released, or in nothing on Escape.
class DropSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    // A new drop source with one reference, or none where memory is short.
    static IDropSource* create();

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    DropSource() = default;
    ~DropSource() override = default;
};
