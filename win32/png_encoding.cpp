#include "png_encoding.h"

#include <objbase.h>
#include <wincodec.h>

namespace {

// Releases a COM interface as it goes out of scope.
template <typename Interface> struct Held {
    Interface* object = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (object != nullptr) {
            object->Release();
        }
    }
    Interface* operator->() const { return object; }
    Interface** out() { return &object; }
};

} // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& bgrRows, int width,
                                    int height) {
    const auto stride = static_cast<UINT>(width) * 3;
    if (width <= 0 || height <= 0 || bgrRows.size() != std::size_t{stride} * height) {
        return {};
    }
    Held<IWICImagingFactory> factory;
    Held<IStream> stream;
    Held<IWICBitmapEncoder> encoder;
    Held<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const bool encoded =
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(factory.out()))) &&
        SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out())) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) &&
        SUCCEEDED(encoder->Initialize(stream.object, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(frame.out(), nullptr)) &&
        SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) &&
        // The encoder may offer another format than the one asked for; these rows are only
        // this one.
        IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
        SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride,
                                     static_cast<UINT>(bgrRows.size()),
                                     const_cast<BYTE*>(bgrRows.data()))) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    HGLOBAL block = nullptr;
    if (!encoded || FAILED(GetHGlobalFromStream(stream.object, &block))) {
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
    return png;
}
