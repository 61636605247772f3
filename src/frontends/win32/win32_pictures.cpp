#include "frontends/win32/win32_pictures.h"

#include <wincodec.h>

#include <climits>

#include "frontends/win32/wide_text.h"

namespace zindle {
namespace {

// Keeps every pixel count and byte size well inside 32 bits.
constexpr UINT kMaxSide = 16384;

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** Out() { return &pointer_; }
    T* operator->() const { return pointer_; }
    T* Get() const { return pointer_; }

private:
    T* pointer_ = nullptr;
};

IWICImagingFactory* Factory() {
    static IWICImagingFactory* factory = [] {
        IWICImagingFactory* created = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&created)))) {
            return static_cast<IWICImagingFactory*>(nullptr);
        }
        return created;
    }();
    return factory;
}

PicturePtr FromDecoder(IWICImagingFactory& factory, IWICBitmapDecoder& decoder, const std::string& source) {
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(decoder.GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
        height == 0 || width > kMaxSide || height > kMaxSide || FAILED(factory.CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom))) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return std::make_shared<Win32Picture>(bitmap, static_cast<int>(width), static_cast<int>(height), source);
}

}  // namespace

Win32Picture::Win32Picture(HBITMAP bitmap, int width, int height, std::string source)
    : bitmap_(bitmap), width_(width), height_(height), source_(std::move(source)) {}

Win32Picture::~Win32Picture() { DeleteObject(bitmap_); }

void Win32Picture::Draw(HDC target, int x, int y, int dpi) const {
    const HDC source = CreateCompatibleDC(target);
    const HGDIOBJ old = SelectObject(source, bitmap_);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(target, x, y, MulDiv(width_, dpi, 96), MulDiv(height_, dpi, 96), source, 0, 0, width_, height_, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

PicturePtr DecodePictureFile(const std::string& path) {
    IWICImagingFactory* factory = Factory();
    if (!factory || path.empty() || path.find('\0') != std::string::npos) return nullptr;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out()))) {
        return nullptr;
    }
    return FromDecoder(*factory, *decoder.Get(), path);
}

PicturePtr DecodePictureBytes(std::span<const unsigned char> bytes, const std::string& name) {
    IWICImagingFactory* factory = Factory();
    if (!factory || bytes.empty() || bytes.size() > UINT_MAX) return nullptr;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                decoder.Out()))) {
        return nullptr;
    }
    return FromDecoder(*factory, *decoder.Get(), name);
}

}  // namespace zindle
