#include "pattern_data_object.h"

#include "bgr_rows.h"
#include "png_encoding.h"

#include <cstring>
#include <new>
#include <shlobj.h>
#include <vector>

namespace {

// A movable global block holding bytes, as the clipboard and OLE hand data over.
HGLOBAL globalCopy(const void* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) {
        return nullptr;
    }
    void* target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(block);
    return block;
}

HGLOBAL globalCopy(HGLOBAL block) {
    const void* bytes = GlobalLock(block);
    if (bytes == nullptr) {
        return nullptr;
    }
    HGLOBAL copy = globalCopy(bytes, GlobalSize(block));
    GlobalUnlock(block);
    return copy;
}

// A packed DIB: its header, then its rows from the bottom up, each a whole number of words
// long as a side of 500 pixels makes them.
HGLOBAL dibOf(const std::uint32_t* pixels, int side) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = side;
    header.biHeight = side;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::vector<std::uint8_t> rows = bgrRows(pixels, side, true);
    header.biSizeImage = static_cast<DWORD>(rows.size());
    std::vector<std::uint8_t> dib(sizeof header + rows.size());
    std::memcpy(dib.data(), &header, sizeof header);
    std::memcpy(dib.data() + sizeof header, rows.data(), rows.size());
    return globalCopy(dib.data(), dib.size());
}

HGLOBAL pngOf(const std::uint32_t* pixels, int side, const std::vector<PngText>& texts) {
    const std::vector<std::uint8_t> png =
        encodePng(bgrRows(pixels, side, false), side, side, texts);
    return png.empty() ? nullptr : globalCopy(png.data(), png.size());
}

} // namespace

IDataObject* PatternDataObject::create(const std::uint32_t* pixels, int side,
                                       const std::vector<PngText>& texts) {
    if (pixels == nullptr) {
        return nullptr;
    }
    auto* data = new (std::nothrow) PatternDataObject;
    if (data == nullptr) {
        return nullptr;
    }
    const auto pngFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"PNG"));
    data->m_formats[png] = {pngFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    data->m_formats[dib] = {CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    data->m_contents[png] = pngOf(pixels, side, texts);
    data->m_contents[dib] = dibOf(pixels, side);
    if (pngFormat == 0 || data->m_contents[png] == nullptr || data->m_contents[dib] == nullptr) {
        data->Release();
        return nullptr;
    }
    return data;
}

PatternDataObject::~PatternDataObject() {
    for (HGLOBAL block : m_contents) {
        if (block != nullptr) {
            GlobalFree(block);
        }
    }
}

std::size_t PatternDataObject::formatIndex(const FORMATETC* format) const {
    for (std::size_t i = 0; i < m_formats.size(); ++i) {
        if (format->cfFormat == m_formats[i].cfFormat && (format->tymed & TYMED_HGLOBAL) != 0 &&
            format->dwAspect == DVASPECT_CONTENT) {
            return i;
        }
    }
    return m_formats.size();
}

HRESULT STDMETHODCALLTYPE PatternDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (format == nullptr || medium == nullptr) {
        return E_INVALIDARG;
    }
    const std::size_t index = formatIndex(format);
    if (index == m_formats.size()) {
        return DV_E_FORMATETC;
    }
    // Each reader gets a copy of its own to free.
    HGLOBAL copy = globalCopy(m_contents[index]);
    if (copy == nullptr) {
        return E_OUTOFMEMORY;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::GetDataHere(FORMATETC* /*format*/,
                                                         STGMEDIUM* /*medium*/) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::QueryGetData(FORMATETC* format) {
    if (format == nullptr) {
        return E_INVALIDARG;
    }
    return formatIndex(format) < m_formats.size() ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::GetCanonicalFormatEtc(FORMATETC* /*format*/,
                                                                   FORMATETC* canonical) {
    if (canonical != nullptr) {
        canonical->ptd = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::SetData(FORMATETC* /*format*/, STGMEDIUM* /*medium*/,
                                                     BOOL /*release*/) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::EnumFormatEtc(DWORD direction,
                                                           IEnumFORMATETC** formats) {
    if (formats == nullptr) {
        return E_INVALIDARG;
    }
    if (direction != DATADIR_GET) {
        *formats = nullptr;
        return E_NOTIMPL;
    }
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(m_formats.size()), m_formats.data(), formats);
}

HRESULT STDMETHODCALLTYPE PatternDataObject::DAdvise(FORMATETC* /*format*/, DWORD /*flags*/,
                                                     IAdviseSink* /*sink*/, DWORD* /*connection*/) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::DUnadvise(DWORD /*connection*/) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE PatternDataObject::EnumDAdvise(IEnumSTATDATA** /*advisers*/) {
    return OLE_E_ADVISENOTSUPPORTED;
}
