#include "png_encoding.h"

#include <array>
#include <objbase.h>
#include <propidl.h>
#include <string>
#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

extern "C" DWORD WINAPI RtlComputeCrc32(DWORD initial, const BYTE* bytes, INT size);

namespace {

// Hands the texts to the encoder's metadata writer; false where it takes none.
bool writeTexts(IWICBitmapFrameEncode& frame, const std::vector<PngText>& texts) {
    ComPtr<IWICMetadataQueryWriter> writer;
    if (FAILED(frame.GetMetadataQueryWriter(&writer))) {
        return false;
    }
    for (const PngText& text : texts) {
        const std::wstring query =
            L"/tEXt/{str=" + std::wstring(text.key.begin(), text.key.end()) + L"}";
        PROPVARIANT value{};
        value.vt = VT_LPSTR;
        value.pszVal = const_cast<char*>(text.value.c_str());
        if (FAILED(writer->SetMetadataByName(query.c_str(), &value))) {
            return false;
        }
    }
    return true;
}

void appendBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// Where the imaging component keeps no text, as wine's does not, the texts go in as chunks
// of their own straight after the header chunk, which is always the first and always 25
// bytes long after the 8 of the signature. The chunks' checksum is the system's CRC-32.
std::vector<std::uint8_t> withTextChunks(const std::vector<std::uint8_t>& png,
                                         const std::vector<PngText>& texts) {
    constexpr std::size_t afterHeader = 8 + 25;
    if (png.size() < afterHeader) {
        return {};
    }
    std::vector<std::uint8_t> written(png.begin(), png.begin() + afterHeader);
    for (const PngText& text : texts) {
        std::vector<std::uint8_t> chunk = {'t', 'E', 'X', 't'};
        chunk.insert(chunk.end(), text.key.begin(), text.key.end());
        chunk.push_back(0);
        chunk.insert(chunk.end(), text.value.begin(), text.value.end());
        appendBigEndian(written, static_cast<std::uint32_t>(chunk.size() - 4));
        written.insert(written.end(), chunk.begin(), chunk.end());
        appendBigEndian(written, RtlComputeCrc32(0, chunk.data(), static_cast<INT>(chunk.size())));
    }
    written.insert(written.end(), png.begin() + afterHeader, png.end());
    return written;
}

} // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& bgrRows, int width, int height,
                                    const std::vector<PngText>& texts) {
    const auto stride = static_cast<UINT>(width) * 3;
    if (width <= 0 || height <= 0 || bgrRows.size() != std::size_t{stride} * height) {
        return {};
    }
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    bool textsWritten = false;
    const bool encoded =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) &&
        // The encoder may offer another format than the one asked for; these rows are only
        // this one.
        IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
        ((textsWritten = writeTexts(*frame.Get(), texts)), true) &&
        SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride,
                                     static_cast<UINT>(bgrRows.size()),
                                     const_cast<BYTE*>(bgrRows.data()))) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    HGLOBAL block = nullptr;
    if (!encoded || FAILED(GetHGlobalFromStream(stream.Get(), &block))) {
        return {};
    }
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME))) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(block));
    if (bytes == nullptr) {
        return {};
    }
    std::vector<std::uint8_t> png(bytes, bytes + status.cbSize.QuadPart);
    GlobalUnlock(block);
    return textsWritten || texts.empty() ? png : withTextChunks(png, texts);
}
