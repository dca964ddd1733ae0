#pragma once

#include "com_object.h"
#include "pattern_file.h"

#include <array>
#include <cstdint>
#include <ole2.h>
#include <vector>

// The pattern as the clipboard and a drop receive it: its exact pixels as a device-
// independent bitmap (CF_DIB), which every Windows program reads, and as PNG, under the
// registered format "PNG" that image programs look for first, with texts kept in it.
class PatternDataObject final : public ComObject<IDataObject, IID_IDataObject> {
public:
    // The data of a square of side x side pixels, rows top to bottom, 0x00RRGGBB; with one
    // reference, or none where the formats cannot be made.
    static IDataObject* create(const std::uint32_t* pixels, int side,
                               const std::vector<PngText>& texts);

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* format,
                                                    FORMATETC* canonical) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advisers) override;

private:
    PatternDataObject() = default;
    ~PatternDataObject() override;

    // PNG first: a reader that takes the first format it knows gets the lossless, portable one.
    static constexpr std::size_t png = 0;
    static constexpr std::size_t dib = 1;
    std::size_t formatIndex(const FORMATETC* format) const;

    std::array<FORMATETC, 2> m_formats{};
    std::array<HGLOBAL, 2> m_contents{};
};
