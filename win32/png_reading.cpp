#include "png_reading.h"

#include "pattern_messages.h"

#include <objbase.h>
#include <propidl.h>
#include <shlwapi.h>
#include <string>
#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// No pattern's image is near this wide or high; a header that claims more is not decoded.
constexpr UINT largestSide = 8192;

// Decodes every row, one at a time, so that damage anywhere in the image is found without
// holding all of it.
bool decodesWhole(IWICBitmapFrameDecode& frame, IWICImagingFactory& factory) {
    UINT width = 0;
    UINT height = 0;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(frame.GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > largestSide || height > largestSide ||
        FAILED(factory.CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(&frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0, WICBitmapPaletteTypeCustom))) {
        return false;
    }
    std::string row(std::size_t{width} * 4, '\0');
    for (UINT y = 0; y < height; ++y) {
        const WICRect line{0, static_cast<INT>(y), static_cast<INT>(width), 1};
        if (FAILED(converter->CopyPixels(&line, width * 4, static_cast<UINT>(row.size()),
                                         reinterpret_cast<BYTE*>(row.data())))) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    stream.Attach(SHCreateMemStream(png.data(), static_cast<UINT>(png.size())));
    if (stream == nullptr ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnLoad)) ||
        FAILED(decoder->GetFrame(0, &frame)) || !decodesWhole(*frame.Get(), *factory.Get())) {
        return std::nullopt;
    }
    ComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(&reader))) {
        return std::string();
    }
    const std::wstring query =
        L"/tEXt/{str=" + std::wstring(std::begin(codeTextKey), std::end(codeTextKey) - 1) + L"}";
    PROPVARIANT value;
    PropVariantInit(&value);
    std::string text;
    if (SUCCEEDED(reader->GetMetadataByName(query.c_str(), &value)) && value.vt == VT_LPSTR &&
        value.pszVal != nullptr) {
        text = value.pszVal;
    }
    PropVariantClear(&value);
    return text;
}
