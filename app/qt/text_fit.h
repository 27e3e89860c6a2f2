#pragma once

#include <QString>
#include <vector>

class QWidget;

// A text as a control of the window shows it. A button or group box is
// measured with its own text; a label or the port box with the text given.
struct ShownText {
    const QWidget* control = nullptr;
    QString text;
};

// Whether the control shows the text whole in its current font, by the
// control's own measure where Qt has one (a button's size hint).
bool showsWhole(const ShownText& shown);

// Lowers the window's font half a point at a time, from its own size down to
// smallestPointSize at most, until every text shows whole. The controls keep
// their places and sizes: only the text gets smaller.
void shrinkFontToFit(QWidget& window, const std::vector<ShownText>& texts, qreal smallestPointSize);
