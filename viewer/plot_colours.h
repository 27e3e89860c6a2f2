#pragma once

#include <QColor>

class QPalette;

// The colours of a plot's own parts, all but the channels' and the laps':
// from the window's palette on the screen (light or dark), the light set
// given here in exported pictures and in the command line's plots.
struct PlotColours {
    QColor background{Qt::white};
    QColor text{0x30, 0x30, 0x30};
    QColor grid{0xdd, 0xdd, 0xdd};
    QColor frame{0x99, 0x99, 0x99};
    QColor zeroLine{0x80, 0x80, 0x80};
    QColor cursor{0x40, 0x40, 0x40};
    QColor box{255, 255, 255, 220};  // behind the readouts and the legend
    QColor dragged{0x33, 0x66, 0xcc, 50};
    QColor lapBands[2] = {QColor(0xf6, 0xef, 0xe0), QColor(0xe6, 0xef, 0xfa)};  // laps alternate

    // A channel's or a lap's own colour, lightened where it would hardly
    // stand out from a dark background.
    QColor series(const QColor& own) const;
};

PlotColours plotColoursOf(const QPalette& palette);

// The contrast of two colours as the web's accessibility guidelines reckon
// it: 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// share 0 gives a, share 1 gives b.
QColor mixed(const QColor& a, const QColor& b, double share);
