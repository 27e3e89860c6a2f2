#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "app/main_dialog_template.h"

class QFontMetrics;

// Maps dialog units to pixels the way Windows lays out a dialog template, so
// the controls keep their proportions in whatever font the window gets.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int averageCharWidth, int lineHeight);

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
