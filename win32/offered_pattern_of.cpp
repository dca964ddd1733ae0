#include "offered_pattern_of.h"

#include "pattern_file.h"
#include "wide_text.h"

#include <shellapi.h>

namespace {

// The data's contents in one format, as a global block, released as it goes.
class Medium {
public:
    Medium(IDataObject& data, CLIPFORMAT format) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        m_held = SUCCEEDED(data.GetData(&wanted, &m_medium)) && m_medium.tymed == TYMED_HGLOBAL;
    }
    ~Medium() {
        if (m_held) {
            ReleaseStgMedium(&m_medium);
        }
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    HGLOBAL block() const { return m_held ? m_medium.hGlobal : nullptr; }

private:
    STGMEDIUM m_medium{};
    bool m_held = false;
};

bool offers(IDataObject& data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_GDI};
    return data.QueryGetData(&wanted) == S_OK;
}

} // namespace

OfferedPattern offeredPatternOf(IDataObject& data) {
    if (const Medium files(data, CF_HDROP); files.block() != nullptr) {
        auto* drop = static_cast<HDROP>(files.block());
        const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
        std::wstring path(length, L'\0');
        if (length > 0 && DragQueryFileW(drop, 0, path.data(), length + 1) == length) {
            return OfferedFile{path};
        }
    }
    const auto pngFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"PNG"));
    if (const Medium png(data, pngFormat); png.block() != nullptr) {
        const SIZE_T size = GlobalSize(png.block());
        // Far too large a block is refused before it is copied, as a file is.
        if (size > static_cast<SIZE_T>(largestPatternFile)) {
            return OfferedPng{};
        }
        const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(png.block()));
        if (bytes != nullptr) {
            OfferedPng offered{{bytes, bytes + size}};
            GlobalUnlock(png.block());
            return offered;
        }
    }
    if (offers(data, CF_DIB) || offers(data, CF_BITMAP) || offers(data, CF_DIBV5)) {
        return OfferedImage{};
    }
    if (const Medium text(data, CF_UNICODETEXT); text.block() != nullptr) {
        const auto* characters = static_cast<const wchar_t*>(GlobalLock(text.block()));
        if (characters != nullptr) {
            // The text ends at its first null, or at the block's end if it has none.
            const std::wstring_view whole(characters, GlobalSize(text.block()) / sizeof(wchar_t));
            OfferedText offered{utf8(whole.substr(0, whole.find(L'\0')))};
            GlobalUnlock(text.block());
            return offered;
        }
    }
    return {};
}
