#include "app/qt/dialog_units.h"

#include <QFontMetrics>
#include <QString>
#include <cmath>

namespace {

constexpr int kUnitsPerCharWidth = 4;
constexpr int kUnitsPerLineHeight = 8;
constexpr int kAlphabetLength = 52;

// value * numerator / denominator rounded half away from zero, like MulDiv.
int scaleRounded(int value, int numerator, int denominator) {
    return static_cast<int>(
        std::lround(static_cast<double>(value) * numerator / static_cast<double>(denominator)));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(averageCharWidthOf(QFontMetrics(font)), QFontMetrics(font).height()) {}

DialogUnits::DialogUnits(int averageCharWidth, int lineHeight)
    : m_averageCharWidth(averageCharWidth), m_lineHeight(lineHeight) {}

int DialogUnits::toPixelsX(int units) const {
    return scaleRounded(units, m_averageCharWidth, kUnitsPerCharWidth);
}

int DialogUnits::toPixelsY(int units) const {
    return scaleRounded(units, m_lineHeight, kUnitsPerLineHeight);
}

QRect DialogUnits::toPixels(const DialogRect& rect) const {
    return QRect(toPixelsX(rect.x), toPixelsY(rect.y), toPixelsX(rect.width),
                 toPixelsY(rect.height));
}

QSize DialogUnits::toPixels(int width, int height) const {
    return QSize(toPixelsX(width), toPixelsY(height));
}

int DialogUnits::averageCharWidthOf(const QFontMetrics& metrics) {
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return scaleRounded(metrics.horizontalAdvance(alphabet), 1, kAlphabetLength);
}
