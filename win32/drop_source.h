#pragma once

#include <atomic>
#include <ole2.h>

// The side of a drag that the program starts: it goes on while the left button is held and
// ends in a drop when it is released, or in nothing on Escape.
class DropSource final : public IDropSource {
public:
    // A new drop source with one reference, or none where memory is short.
    static IDropSource* create();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    DropSource() = default;
    ~DropSource() = default;

    std::atomic<ULONG> m_references{1};
};
