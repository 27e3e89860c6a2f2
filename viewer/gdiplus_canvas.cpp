#include "viewer/gdiplus_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cwchar>
#include <initializer_list>
#include <optional>

#include "text/utf16.h"

namespace {

struct SystemFont {
    std::unique_ptr<Gdiplus::FontFamily> family;  // none without any font installed
    double points = 9;
};

std::unique_ptr<Gdiplus::FontFamily> installedFamily(const wchar_t* name) {
    auto family = std::make_unique<Gdiplus::FontFamily>(name);
    return family->GetLastStatus() == Gdiplus::Ok ? std::move(family) : nullptr;
}

// The family GDI draws a logical font in: names such as "MS Shell Dlg" stand
// for another font, and GDI+ does not follow them.
std::wstring familyDrawnBy(HDC screen, const LOGFONTW& logical) {
    HFONT font = CreateFontIndirectW(&logical);
    if (!font) {
        return {};
    }
    const HGDIOBJ before = SelectObject(screen, font);
    std::wstring name;
    if (const UINT size = GetOutlineTextMetricsW(screen, 0, nullptr); size > 0) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        // The name's place in the buffer stands in its pointer.
        const auto offset = GetOutlineTextMetricsW(screen, size, metrics)
                                ? reinterpret_cast<std::uintptr_t>(metrics->otmpFamilyName)
                                : size;
        if (offset < size) {
            const auto* text = reinterpret_cast<const wchar_t*>(buffer.data() + offset);
            name.assign(text, wcsnlen(text, (size - offset) / sizeof(wchar_t)));
        }
    }
    SelectObject(screen, before);
    DeleteObject(font);
    return name;
}

// The font the system's message boxes use: Segoe UI 9 points on Windows.
SystemFont systemMessageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW logical{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        logical = metrics.lfMessageFont;
    }
    SystemFont own;
    HDC screen = GetDC(nullptr);
    // The height is in the screen's pixels; in points, the fonts grow with
    // the canvas's own scale alone.
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (logical.lfHeight != 0 && dpi > 0) {
        own.points = std::abs(logical.lfHeight) * 72.0 / dpi;
    }
    own.family = installedFamily(logical.lfFaceName);
    if (!own.family && screen) {
        own.family = installedFamily(familyDrawnBy(screen, logical).c_str());
    }
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    for (const wchar_t* name : {L"Segoe UI", L"Tahoma", L"Arial"}) {
        if (!own.family) {
            own.family = installedFamily(name);
        }
    }
    return own;
}

Gdiplus::Color colorOf(Rgba colour) {
    return Gdiplus::Color(colour.a, colour.r, colour.g, colour.b);
}

Gdiplus::RectF rectFOf(const Rect& rect) {
    return Gdiplus::RectF(static_cast<Gdiplus::REAL>(rect.x), static_cast<Gdiplus::REAL>(rect.y),
                          static_cast<Gdiplus::REAL>(rect.w), static_cast<Gdiplus::REAL>(rect.h));
}

Gdiplus::PointF pointFOf(Point point) {
    return Gdiplus::PointF(static_cast<Gdiplus::REAL>(point.x),
                           static_cast<Gdiplus::REAL>(point.y));
}

// Without the padding GDI+ otherwise adds at either end, so that the texts
// stand where their widths say; on one line, never cut at the rectangle.
struct TextFormat : Gdiplus::StringFormat {
    explicit TextFormat(Gdiplus::StringAlignment alignment)
        : Gdiplus::StringFormat(GenericTypographic()) {
        SetFormatFlags(GetFormatFlags() | Gdiplus::StringFormatFlagsNoWrap |
                       Gdiplus::StringFormatFlagsNoClip |
                       Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
        SetTrimming(Gdiplus::StringTrimmingNone);
        SetAlignment(alignment);
        SetLineAlignment(Gdiplus::StringAlignmentCenter);
    }
};

Gdiplus::StringAlignment alignmentOf(Align align) {
    switch (align) {
        case Align::Left:
            return Gdiplus::StringAlignmentNear;
        case Align::Right:
            return Gdiplus::StringAlignmentFar;
        case Align::Centre:
            break;
    }
    return Gdiplus::StringAlignmentCenter;
}

// A line of an odd width along a pixel's edge would blur over two pixels:
// along the axes it is moved to the middle of the pixels below and right.
Line crisp(Line line, double width) {
    if (std::lround(width) % 2 == 0 || std::abs(width - std::round(width)) > 0.01) {
        return line;
    }
    const auto middle = [](double c) { return std::floor(c) + 0.5; };
    if (line.from.y == line.to.y) {
        line.from.y = line.to.y = middle(line.from.y);
    } else if (line.from.x == line.to.x) {
        line.from.x = line.to.x = middle(line.from.x);
    }
    return line;
}

// A solid line one pixel wide along an axis, as the row or column of pixels
// it passes: sharp whether the lines are anti-aliased (Windows) or not (Wine)
// and wherever the pixels' centres are taken to be.
std::optional<Rect> pixelsAlong(const Line& line, double width, bool dashed) {
    if (dashed || width != 1) {
        return std::nullopt;
    }
    if (line.from.y == line.to.y) {
        const auto [left, right] = std::minmax(line.from.x, line.to.x);
        return Rect{left, std::floor(line.from.y), right - left, 1};
    }
    if (line.from.x == line.to.x) {
        const auto [top, bottom] = std::minmax(line.from.y, line.to.y);
        return Rect{std::floor(line.from.x), top, 1, bottom - top};
    }
    return std::nullopt;
}

}  // namespace

GdiplusCanvas::GdiplusCanvas(Gdiplus::Graphics& graphics) : m_graphics(graphics) {
    SystemFont own = systemMessageFont();
    m_family = std::move(own.family);
    m_ownPoints = own.points;
    m_graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    // Pixel n covers n to n + 1, as in Qt and SVG: fills on whole pixels
    // stay sharp, and so do lines through the middle of pixels.
    m_graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    m_graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
}

GdiplusCanvas::~GdiplusCanvas() {
    while (!m_clips.empty()) {
        popClip();
    }
}

// A family without a bold face is drawn regular, as GDI+ makes no bold of
// its own.
INT GdiplusCanvas::styleOf(const Font& font) const {
    return font.bold && m_family && m_family->IsStyleAvailable(Gdiplus::FontStyleBold)
               ? Gdiplus::FontStyleBold
               : Gdiplus::FontStyleRegular;
}

// Pixels at 96 dots an inch, as Qt's images count them.
double GdiplusCanvas::pixelsOf(const Font& font) const {
    return (font.points == 0 ? m_ownPoints : font.points) * 96.0 / 72.0;
}

const Gdiplus::Font* GdiplusCanvas::gdiplusFontOf(const Font& font) {
    if (!m_family) {
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Font>& made = m_fonts[{font.points, font.bold}];
    if (!made) {
        made = std::make_unique<Gdiplus::Font>(m_family.get(),
                                               static_cast<Gdiplus::REAL>(pixelsOf(font)),
                                               styleOf(font), Gdiplus::UnitPixel);
    }
    return made->GetLastStatus() == Gdiplus::Ok ? made.get() : nullptr;
}

// An opaque colour on whole pixels replaces what is there: Wine's GDI+
// blends every pixel of a fill in software, and copying takes it half the
// time.
void GdiplusCanvas::fillRect(const Rect& rect, Rgba colour) {
    fillRects(std::span(&rect, 1), colour);
}

// Opaque fills on whole pixels (their edges rounded) are copied by GDI, all
// with one device context: GDI+ blends each one and costs much a call under
// Wine, and a plot of the whole log fills hundreds of narrow lap bands.
void GdiplusCanvas::fillRects(std::span<const Rect> rects, Rgba colour) {
    Gdiplus::REAL m[6] = {};
    {
        Gdiplus::Matrix transform;
        m_graphics.GetTransform(&transform);
        transform.GetElements(m);
    }
    // Only scaled and moved (a screen's scale), not turned.
    if (colour.a != 255 || m[1] != 0 || m[2] != 0) {
        Gdiplus::SolidBrush brush(colorOf(colour));
        for (const Rect& rect : rects) {
            m_graphics.FillRectangle(&brush, rectFOf(rect));
        }
        return;
    }
    const auto onDevice = [&m](const Rect& rect) {
        return RECT{std::lround(rect.left() * m[0] + m[4]), std::lround(rect.top() * m[3] + m[5]),
                    std::lround(rect.right() * m[0] + m[4]),
                    std::lround(rect.bottom() * m[3] + m[5])};
    };
    const HDC device = m_graphics.GetHDC();
    const int state = SaveDC(device);
    // GDI keeps to the clip only when told, and Wine's GDI+ does not tell
    // its bounds: the canvas keeps them.
    for (const Clip& clip : m_clips) {
        const RECT pixels = onDevice(clip.rect);
        IntersectClipRect(device, pixels.left, pixels.top, pixels.right, pixels.bottom);
    }
    const HBRUSH brush = CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
    const HGDIOBJ before = SelectObject(device, brush);
    for (const Rect& rect : rects) {
        const RECT pixels = onDevice(rect);
        PatBlt(device, pixels.left, pixels.top, pixels.right - pixels.left,
               pixels.bottom - pixels.top, PATCOPY);
    }
    SelectObject(device, before);
    DeleteObject(brush);
    RestoreDC(device, state);
    m_graphics.ReleaseHDC(device);
}

// On the rectangle's outermost pixels, each pixel once, so that a
// translucent frame is even.
void GdiplusCanvas::strokeRect(const Rect& rect, Rgba colour) {
    const double left = std::round(rect.left()), top = std::round(rect.top());
    const double width = std::round(rect.right()) - left, height = std::round(rect.bottom()) - top;
    if (width <= 0 || height <= 0) {
        return;
    }
    fillRect({left, top, width, 1}, colour);
    if (height > 1) {
        fillRect({left, top + height - 1, width, 1}, colour);
    }
    if (height > 2) {
        fillRect({left, top + 1, 1, height - 2}, colour);
        if (width > 1) {
            fillRect({left + width - 1, top + 1, 1, height - 2}, colour);
        }
    }
}

// One path for the whole series: one call to draw thousands of lines, and
// where they overlap a translucent colour does not darken.
void GdiplusCanvas::drawLines(std::span<const Line> lines, Rgba colour) {
    if (lines.empty()) {
        return;
    }
    std::vector<Gdiplus::PointF> points;
    std::vector<BYTE> types;
    points.reserve(lines.size() * 2);
    types.reserve(lines.size() * 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const bool continues =
            i > 0 && lines[i - 1].to.x == line.from.x && lines[i - 1].to.y == line.from.y;
        if (!continues) {
            points.push_back(pointFOf(line.from));
            types.push_back(Gdiplus::PathPointTypeStart);
        }
        points.push_back(pointFOf(line.to));
        types.push_back(Gdiplus::PathPointTypeLine);
    }
    const Gdiplus::GraphicsPath path(points.data(), types.data(), static_cast<INT>(points.size()));
    Gdiplus::Pen pen(colorOf(colour), 1);
    m_graphics.DrawPath(&pen, &path);
}

void GdiplusCanvas::drawLine(const Line& line, Rgba colour, double width, bool dashed) {
    if (const std::optional<Rect> pixels = pixelsAlong(line, width, dashed)) {
        fillRect(*pixels, colour);
        return;
    }
    Gdiplus::Pen pen(colorOf(colour), static_cast<Gdiplus::REAL>(width));
    if (dashed) {
        pen.SetDashStyle(Gdiplus::DashStyleDash);
    }
    const Line drawn = crisp(line, width);
    m_graphics.DrawLine(&pen, pointFOf(drawn.from), pointFOf(drawn.to));
}

void GdiplusCanvas::drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                             const Font& font) {
    const std::wstring text = utf8ToUtf16(utf8);
    const Gdiplus::Font* drawn = gdiplusFontOf(font);
    if (!drawn || text.empty()) {
        return;
    }
    const TextFormat format(alignmentOf(align));
    Gdiplus::SolidBrush brush(colorOf(colour));
    m_graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), drawn, rectFOf(rect),
                          &format, &brush);
}

// GDI+ places a text by the top of its line.
void GdiplusCanvas::drawTextAt(Point baseline, const std::string& utf8, Rgba colour,
                               const Font& font) {
    const std::wstring text = utf8ToUtf16(utf8);
    const Gdiplus::Font* drawn = gdiplusFontOf(font);
    if (!drawn || text.empty()) {
        return;
    }
    TextFormat format(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    Gdiplus::SolidBrush brush(colorOf(colour));
    const Gdiplus::PointF top(static_cast<Gdiplus::REAL>(baseline.x),
                              static_cast<Gdiplus::REAL>(baseline.y - metrics(font).ascent));
    m_graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), drawn, top, &format, &brush);
}

void GdiplusCanvas::drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                                    const Font& font) {
    const Gdiplus::GraphicsState before = m_graphics.Save();
    m_graphics.TranslateTransform(static_cast<Gdiplus::REAL>(rect.center().x),
                                  static_cast<Gdiplus::REAL>(rect.center().y));
    m_graphics.RotateTransform(-90);
    drawText(Rect{-rect.h / 2, -rect.w / 2, rect.h, rect.w}, Align::Centre, utf8, colour, font);
    m_graphics.Restore(before);
}

void GdiplusCanvas::pushClip(const Rect& rect) {
    m_clips.push_back({m_graphics.Save(), rect});
    m_graphics.SetClip(rectFOf(rect), Gdiplus::CombineModeIntersect);
}

void GdiplusCanvas::popClip() {
    if (!m_clips.empty()) {
        m_graphics.Restore(m_clips.back().before);
        m_clips.pop_back();
    }
}

double GdiplusCanvas::textWidth(const std::string& utf8, const Font& font) {
    const std::wstring text = utf8ToUtf16(utf8);
    const Gdiplus::Font* measured = gdiplusFontOf(font);
    if (!measured || text.empty()) {
        return 0;
    }
    const TextFormat format(Gdiplus::StringAlignmentNear);
    Gdiplus::RectF bounds;
    m_graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), measured,
                             Gdiplus::PointF(0, 0), &format, &bounds);
    return bounds.Width;
}

FontMetrics GdiplusCanvas::metrics(const Font& font) {
    const double pixels = pixelsOf(font);
    const INT style = styleOf(font);
    const double em = m_family ? m_family->GetEmHeight(style) : 0;
    if (em <= 0) {
        return {pixels, pixels * 1.2};
    }
    return {pixels * m_family->GetCellAscent(style) / em,
            pixels * m_family->GetLineSpacing(style) / em};
}
