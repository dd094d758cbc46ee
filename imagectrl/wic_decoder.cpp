#include "imagectrl/wic_decoder.h"

#include <wincodec.h>

#include "common/win_handles.h"
#include "imagectrl/view_geometry.h"

namespace {

// COM for the length of one decode; a thread that already has its apartment keeps it.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }

private:
    HRESULT result_;
};

bool DecodeFrame(IWICImagingFactory* factory,
                 IWICBitmapDecoder* decoder,
                 bool keepAlpha,
                 const PixelAllocator& allocate) {
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    if (FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(frame->GetSize(&width, &height)) ||
        !PictureSizeAcceptable(width, height)) {
        return false;
    }
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Put())) ||
        FAILED(converter->Initialize(frame.Get(),
                                     keepAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat32bppBGR,
                                     WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom))) {
        return false;
    }
    uint32_t* pixels = allocate(static_cast<int>(width), static_cast<int>(height));
    return pixels &&
           SUCCEEDED(converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(pixels)));
}

template <typename OpenDecoder>
bool Decode(bool keepAlpha, const PixelAllocator& allocate, OpenDecoder open) {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;  // outlives the decoder that reads from it
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put())))) {
        return false;
    }
    return open(factory.Get(), stream, decoder) && DecodeFrame(factory.Get(), decoder.Get(), keepAlpha, allocate);
}

}  // namespace

bool DecodePictureFile(const std::wstring& path, bool keepAlpha, const PixelAllocator& allocate) {
    return Decode(keepAlpha, allocate,
                  [&](IWICImagingFactory* factory, ComPtr<IWICStream>&, ComPtr<IWICBitmapDecoder>& decoder) {
                      return SUCCEEDED(factory->CreateDecoderFromFilename(
                          path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.Put()));
                  });
}

bool DecodePictureBytes(const void* bytes, DWORD size, bool keepAlpha, const PixelAllocator& allocate) {
    return Decode(
        keepAlpha, allocate,
        [&](IWICImagingFactory* factory, ComPtr<IWICStream>& stream, ComPtr<IWICBitmapDecoder>& decoder) {
            return SUCCEEDED(factory->CreateStream(stream.Put())) &&
                   SUCCEEDED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size)) &&
                   SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                              decoder.Put()));
        });
}
