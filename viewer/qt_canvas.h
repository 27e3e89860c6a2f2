#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

#include "viewer/canvas.h"

class QPainter;

// The canvas on a QPainter: the window, the PNG and SVG files and the
// command line's plots draw with it.
class QtCanvas final : public Canvas {
public:
    // The painter's font at the start is the canvas's own (a Font of size 0).
    explicit QtCanvas(QPainter& painter);

    void fillRect(const Rect& rect, Rgba colour) override;
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
    QFont qFontOf(const Font& font) const;

    QPainter& m_painter;
    QFont m_ownFont;
};

QColor qColorOf(Rgba colour);
Rgba rgbaOf(const QColor& colour);
QRectF qRectOf(const Rect& rect);
Rect rectOf(const QRectF& rect);
