#include "viewer/qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <vector>

namespace {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

int qAlignOf(Align align) {
    switch (align) {
        case Align::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Align::Centre:
            break;
    }
    return Qt::AlignCenter;
}

}  // namespace

QColor qColorOf(Rgba colour) {
    return QColor(colour.r, colour.g, colour.b, colour.a);
}

Rgba rgbaOf(const QColor& colour) {
    const QRgb rgba = colour.rgba();
    return {static_cast<std::uint8_t>(qRed(rgba)), static_cast<std::uint8_t>(qGreen(rgba)),
            static_cast<std::uint8_t>(qBlue(rgba)), static_cast<std::uint8_t>(qAlpha(rgba))};
}

QRectF qRectOf(const Rect& rect) {
    return QRectF(rect.x, rect.y, rect.w, rect.h);
}

Rect rectOf(const QRectF& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QtCanvas::QtCanvas(QPainter& painter) : m_painter(painter), m_ownFont(painter.font()) {}

QFont QtCanvas::qFontOf(const Font& font) const {
    if (font.points == 0) {
        QFont own = m_ownFont;
        own.setBold(font.bold);
        return own;
    }
    return font.bold ? QFont(m_ownFont.family(), font.points, QFont::Bold)
                     : QFont(m_ownFont.family(), font.points);
}

void QtCanvas::fillRect(const Rect& rect, Rgba colour) {
    m_painter.fillRect(qRectOf(rect), qColorOf(colour));
}

void QtCanvas::strokeRect(const Rect& rect, Rgba colour) {
    m_painter.setPen(qColorOf(colour));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(qRectOf(rect));
}

void QtCanvas::drawLines(std::span<const Line> lines, Rgba colour) {
    std::vector<QLineF> qLines;
    qLines.reserve(lines.size());
    for (const Line& line : lines) {
        qLines.emplace_back(line.from.x, line.from.y, line.to.x, line.to.y);
    }
    // A cosmetic pen one pixel wide takes the painter's fast path for lines.
    m_painter.setPen(QPen(qColorOf(colour), 0));
    m_painter.drawLines(qLines.data(), static_cast<int>(qLines.size()));
}

void QtCanvas::drawLine(const Line& line, Rgba colour, double width, bool dashed) {
    m_painter.setPen(QPen(qColorOf(colour), width, dashed ? Qt::DashLine : Qt::SolidLine));
    m_painter.drawLine(QLineF(line.from.x, line.from.y, line.to.x, line.to.y));
}

void QtCanvas::drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                        const Font& font) {
    m_painter.setPen(qColorOf(colour));
    m_painter.setFont(qFontOf(font));
    m_painter.drawText(qRectOf(rect), qAlignOf(align), qs(utf8));
}

void QtCanvas::drawTextAt(Point baseline, const std::string& utf8, Rgba colour, const Font& font) {
    m_painter.setPen(qColorOf(colour));
    m_painter.setFont(qFontOf(font));
    m_painter.drawText(QPointF(baseline.x, baseline.y), qs(utf8));
}

void QtCanvas::drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                               const Font& font) {
    m_painter.setPen(qColorOf(colour));
    m_painter.setFont(qFontOf(font));
    m_painter.save();
    m_painter.translate(rect.center().x, rect.center().y);
    m_painter.rotate(-90);
    m_painter.drawText(QRectF(-rect.h / 2, -rect.w / 2, rect.h, rect.w), Qt::AlignCenter, qs(utf8));
    m_painter.restore();
}

void QtCanvas::pushClip(const Rect& rect) {
    m_painter.save();
    m_painter.setClipRect(qRectOf(rect));
}

void QtCanvas::popClip() {
    m_painter.restore();
}

// Measured on the painter's device: an SVG file counts other dots an inch
// than the screen.
double QtCanvas::textWidth(const std::string& utf8, const Font& font) {
    return QFontMetricsF(qFontOf(font), m_painter.device()).horizontalAdvance(qs(utf8));
}

FontMetrics QtCanvas::metrics(const Font& font) {
    const QFontMetricsF metrics(qFontOf(font), m_painter.device());
    return {metrics.ascent(), metrics.height()};
}
