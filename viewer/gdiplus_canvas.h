#pragma once

// windows.h before gdiplus.h: GDI+ builds on its types.
#include <windows.h>

#include <gdiplus.h>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "viewer/canvas.h"

// The canvas on GDI+: the Windows viewer's window draws with it on its back
// buffer, and PNG files are drawn with it into a bitmap. GDI+ must be started
// (GdiplusStartup) while it lives.
class GdiplusCanvas final : public Canvas {
public:
    // Coordinates and font sizes are pixels at 96 dots an inch: a screen's
    // scale is the graphics' transform. The canvas's own font is the system's
    // message font. It sets the graphics' smoothing, pixel offset and text
    // modes for good.
    explicit GdiplusCanvas(Gdiplus::Graphics& graphics);
    ~GdiplusCanvas() override;

    void fillRect(const Rect& rect, Rgba colour) override;
    void fillRects(std::span<const Rect> rects, Rgba colour) override;
    void strokeRect(const Rect& rect, Rgba colour) override;
    void drawLines(std::span<const Line> lines, Rgba colour) override;
    void drawLine(const Line& line, Rgba colour, double width, bool dashed) override;
    void drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                  const Font& font) override;
    void drawTextAt(Point baseline, const std::string& utf8, Rgba colour,
                    const Font& font) override;
    void drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                         const Font& font) override;
    void pushClip(const Rect& rect) override;
    void popClip() override;
    double textWidth(const std::string& utf8, const Font& font) override;
    FontMetrics metrics(const Font& font) override;

private:
    INT styleOf(const Font& font) const;
    double pixelsOf(const Font& font) const;
    // None when no font is installed at all.
    const Gdiplus::Font* gdiplusFontOf(const Font& font);

    Gdiplus::Graphics& m_graphics;
    std::unique_ptr<Gdiplus::FontFamily> m_family;  // none without any font installed
    double m_ownPoints;
    // Made once each: a plot draws dozens of texts in a few sizes.
    std::map<std::pair<int, bool>, std::unique_ptr<Gdiplus::Font>> m_fonts;
    // Each clip's rectangle with the graphics' state before it: GDI's fills
    // are told the rectangles, which Wine's GDI+ does not give back.
    struct Clip {
        Gdiplus::GraphicsState before;
        Rect rect;
    };
    std::vector<Clip> m_clips;
};

// GDI+ started for as long as it lives: a program, a test or a picture.
class GdiplusSession {
public:
    GdiplusSession() {
        const Gdiplus::GdiplusStartupInput input;
        m_status = Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
    }
    ~GdiplusSession() {
        if (m_status == Gdiplus::Ok) {
            Gdiplus::GdiplusShutdown(m_token);
        }
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    Gdiplus::Status status() const { return m_status; }

private:
    ULONG_PTR m_token = 0;
    Gdiplus::Status m_status;
};
