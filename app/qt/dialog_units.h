#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QFontMetrics;

// A rectangle in dialog units: a quarter of the font's average character
// width across, an eighth of its line height down.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Maps dialog units to pixels the way Windows lays out a dialog template, so
// the controls keep their proportions in whatever font the window gets.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageCharWidth, int lineHeight);

    int averageCharWidth() const { return m_averageCharWidth; }
    int lineHeight() const { return m_lineHeight; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const DialogRect& rect) const;
    QSize toPixels(int width, int height) const;

    // The width of "A".."Z" "a".."z" over 52, rounded, as Windows computes a
    // dialog font's average character width.
    static int averageCharWidthOf(const QFontMetrics& metrics);

private:
    int m_averageCharWidth;
    int m_lineHeight;
};
