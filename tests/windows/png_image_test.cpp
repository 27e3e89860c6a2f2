// PNG files drawn with GDI+ and encoded by the Windows Imaging Component:
// read back by the same component, they hold what was drawn, where it was.
#include <windows.h>

#include <gtest/gtest.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cmath>

#include "viewer/png_image.h"

namespace {

using Microsoft::WRL::ComPtr;

struct Decoded {
    UINT width = 0, height = 0;
    std::vector<BYTE> bgra;

    const BYTE* at(UINT x, UINT y) const { return &bgra[(y * width + x) * 4]; }
    int inkIn(UINT left, UINT top, UINT right, UINT bottom) const {
        int ink = 0;
        for (UINT y = top; y < bottom; ++y) {
            for (UINT x = left; x < right; ++x) {
                ink += at(x, y)[0] < 250 || at(x, y)[1] < 250 || at(x, y)[2] < 250;
            }
        }
        return ink;
    }
};

Decoded decode(const std::string& png) {
    Decoded decoded;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(
            stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(png.data())),
                                         static_cast<DWORD>(png.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                   WICDecodeMetadataCacheOnLoad, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(frame->GetSize(&decoded.width, &decoded.height))) {
        decoded.bgra.resize(decoded.width * decoded.height * 4);
        converter->CopyPixels(nullptr, decoded.width * 4, static_cast<UINT>(decoded.bgra.size()),
                              decoded.bgra.data());
    }
    converter.Reset(), frame.Reset(), decoder.Reset(), stream.Reset(), factory.Reset();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return decoded;
}

TEST(PngImage, HoldsTheFillsFramesLinesAndTextsWhereTheyWereDrawn) {
    std::vector<Line> series;
    for (int x = 200; x < 390; ++x) {
        series.push_back(
            {{x + 0.5, 70 + 40 * std::sin(x / 9.0)}, {x + 1.5, 70 + 40 * std::sin((x + 1) / 9.0)}});
    }
    const Painting paint = [&](Canvas& canvas, const Rect& area) {
        canvas.fillRect({10, 10, 100, 50}, {200, 30, 40, 255});
        canvas.strokeRect(area, {0, 0, 0, 255});
        canvas.drawLines(series, {0, 90, 200, 255});
        canvas.drawText({20, 200, 360, 30}, Align::Left, "Lap 3  1'52.340", {0, 0, 0, 255}, {});
        canvas.drawTextUpwards({150, 100, 20, 100}, "RPM", {0, 0, 0, 255}, {0, true});
        canvas.pushClip({300, 250, 50, 40});
        canvas.fillRect({250, 240, 140, 55}, {0, 0, 0, 255});
        canvas.popClip();
        canvas.fillRect({10, 250, 20, 20}, {0, 0, 0, 255});
    };
    std::string problem;
    const std::optional<std::string> png = paintPng(paint, 400, 300, problem);
    ASSERT_TRUE(png) << problem;
    const Decoded picture = decode(*png);
    ASSERT_EQ(picture.width, 400u);
    ASSERT_EQ(picture.height, 300u);
    EXPECT_EQ(std::vector<BYTE>(picture.at(50, 30), picture.at(50, 30) + 3),
              (std::vector<BYTE>{40, 30, 200}));
    EXPECT_EQ(picture.inkIn(110, 10, 111, 60), 0) << "the fill's edge is sharp";
    EXPECT_EQ(picture.at(0, 150)[0], 0) << "the frame is on the outermost pixels, sharp";
    EXPECT_EQ(picture.at(399, 299)[0], 0);
    EXPECT_EQ(picture.inkIn(1, 1, 200, 2), 0);
    EXPECT_GT(picture.inkIn(200, 20, 390, 120), 300) << "the series";
    EXPECT_GT(picture.inkIn(20, 205, 120, 225), 50) << "the text";
    EXPECT_EQ(picture.inkIn(250, 200, 390, 230), 0) << "the text stays on its line";
    EXPECT_GT(picture.inkIn(150, 130, 170, 170), 20) << "the upright text";
    EXPECT_EQ(picture.inkIn(120, 100, 150, 200) + picture.inkIn(170, 100, 200, 200), 0);
    EXPECT_EQ(picture.inkIn(300, 250, 350, 290), 50 * 40) << "inside the clip";
    EXPECT_EQ(picture.inkIn(250, 240, 390, 295), 50 * 40);
    EXPECT_EQ(picture.inkIn(10, 250, 30, 270), 20 * 20) << "the clip is gone";
}

TEST(PngImage, TextsAreMeasuredInTheirFont) {
    double one = 0, five = 0, big = 0;
    FontMetrics metrics;
    const Painting measure = [&](Canvas& canvas, const Rect&) {
        one = canvas.textWidth("1", {});
        five = canvas.textWidth("12345", {});
        big = canvas.textWidth("12345", {20, true});
        metrics = canvas.metrics({});
    };
    std::string problem;
    ASSERT_TRUE(paintPng(measure, 200, 150, problem)) << problem;
    EXPECT_GT(one, 2);
    EXPECT_GT(five, 4 * one);
    EXPECT_GT(big, 1.5 * five);
    EXPECT_GT(metrics.ascent, 6);
    EXPECT_GE(metrics.height, metrics.ascent);
}

TEST(PngImage, AnEmptyPictureIsRefusedInWords) {
    std::string problem;
    EXPECT_FALSE(paintPng([](Canvas&, const Rect&) {}, 0, 300, problem));
    EXPECT_EQ(problem, "A picture of 0 by 300 pixels cannot be made.");
}

}  // namespace
