// PNG files on Windows: drawn with GDI+, encoded by the Windows Imaging
// Component.
#include <windows.h>

#include <gdiplus.h>
#include <objidl.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <climits>
#include <cstdio>

#include "text/translation.h"

#include "viewer/gdiplus_canvas.h"
#include "viewer/png_image.h"

using Microsoft::WRL::ComPtr;

namespace {

std::string hexCode(long code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// COM for the Imaging Component, on this thread for as long as it takes; a
// thread whose COM is already set up another way keeps it as it is.
class ComForThisThread {
public:
    ComForThisThread()
        : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForThisThread() {
        if (SUCCEEDED(m_result)) {
            CoUninitialize();
        }
    }
    bool usable() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }
    HRESULT result() const { return m_result; }

private:
    HRESULT m_result;
};

std::string drawingProblem(Gdiplus::Status status) {
    const std::string reason = status == Gdiplus::OutOfMemory
                                   ? translated("not enough memory")
                                   : "GDI+ status " + std::to_string(status);
    return translated("The picture could not be drawn ({reason}).", {{"reason", reason}});
}

std::string encodingProblem(HRESULT result) {
    return FAILED(result) ? translated("The picture could not be saved as PNG ({reason}).",
                                       {{"reason", hexCode(result)}})
                          : translated("The picture could not be saved as PNG.");
}

// A stroke the graphics refuse (a rectangle of no size) costs that stroke
// only, not the picture.
Gdiplus::Status draw(const Painting& paint, Gdiplus::Bitmap& bitmap) {
    Gdiplus::Graphics graphics(&bitmap);
    if (graphics.GetLastStatus() != Gdiplus::Ok) {
        return graphics.GetLastStatus();
    }
    graphics.Clear(Gdiplus::Color(255, 255, 255, 255));
    {
        GdiplusCanvas canvas(graphics);
        paint(canvas, Rect{0, 0, static_cast<double>(bitmap.GetWidth()),
                           static_cast<double>(bitmap.GetHeight())});
    }
    graphics.Flush(Gdiplus::FlushIntentionSync);
    return Gdiplus::Ok;
}

// The pixels as blue, green and red bytes, top row first.
HRESULT encodePng(const Gdiplus::BitmapData& pixels, IStream* stream) {
    ComPtr<IWICImagingFactory> factory;
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&factory));
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(result)) {
        result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    }
    if (SUCCEEDED(result)) {
        result = encoder->Initialize(stream, WICBitmapEncoderNoCache);
    }
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (SUCCEEDED(result)) {
        result = encoder->CreateNewFrame(&frame, &options);
    }
    if (SUCCEEDED(result)) {
        result = frame->Initialize(options.Get());
    }
    if (SUCCEEDED(result)) {
        result = frame->SetSize(pixels.Width, pixels.Height);
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(result)) {
        result = frame->SetPixelFormat(&format);
    }
    if (SUCCEEDED(result) && format != GUID_WICPixelFormat24bppBGR) {
        result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    }
    if (SUCCEEDED(result)) {
        const auto stride = static_cast<UINT>(pixels.Stride);
        result = frame->WritePixels(pixels.Height, stride, stride * pixels.Height,
                                    static_cast<BYTE*>(pixels.Scan0));
    }
    if (SUCCEEDED(result)) {
        result = frame->Commit();
    }
    if (SUCCEEDED(result)) {
        result = encoder->Commit();
    }
    return result;
}

std::optional<std::string> bytesOf(IStream* stream) {
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(GetHGlobalFromStream(stream, &memory))) {
        return std::nullopt;
    }
    const void* bytes = GlobalLock(memory);
    if (!bytes) {
        return std::nullopt;
    }
    std::string png(static_cast<const char*>(bytes),
                    static_cast<std::size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    return png;
}

}  // namespace

std::optional<std::string> paintPng(const Painting& paint, int width, int height,
                                    std::string& problem) {
    // Four bytes a pixel must fit the encoder's count of bytes.
    if (width <= 0 || height <= 0 || static_cast<double>(width) * height * 4 > INT_MAX) {
        problem =
            translated("A picture of {width} by {height} pixels cannot be made.",
                       {{"width", std::to_string(width)}, {"height", std::to_string(height)}});
        return std::nullopt;
    }
    const ComForThisThread com;
    if (!com.usable()) {
        problem = encodingProblem(com.result());
        return std::nullopt;
    }
    const GdiplusSession gdiplus;
    if (gdiplus.status() != Gdiplus::Ok) {
        problem = drawingProblem(gdiplus.status());
        return std::nullopt;
    }
    // Opaque, as a PNG of a plot is: the canvas copies its opaque fills with
    // GDI, which knows no alpha.
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppRGB);
    Gdiplus::Status status = bitmap.GetLastStatus();
    if (status == Gdiplus::Ok) {
        status = draw(paint, bitmap);
    }
    Gdiplus::BitmapData pixels{};
    const Gdiplus::Rect all(0, 0, width, height);
    if (status == Gdiplus::Ok) {
        status = bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &pixels);
    }
    if (status != Gdiplus::Ok) {
        problem = drawingProblem(status);
        return std::nullopt;
    }
    ComPtr<IStream> stream;
    HRESULT result = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(result)) {
        result = encodePng(pixels, stream.Get());
    }
    bitmap.UnlockBits(&pixels);
    std::optional<std::string> png = SUCCEEDED(result) ? bytesOf(stream.Get()) : std::nullopt;
    if (!png) {
        problem = encodingProblem(result);
    }
    return png;
}
