#pragma once

#include <QString>
#include <string>

class QWidget;

// A text of the system (code page 932 bytes, possibly joined with UTF-8 file
// paths) as the window shows it; line ends become single line feeds.
QString displayText(const std::string& systemText);

// Puts text on a button, label or group box. A word-wrapped label may also
// break after path separators, so a long path wraps instead of being cut off;
// a one-line label shows the end of a text too wide for it, which is what
// tells ports and paths apart (/dev/ttyUSB0, /dev/ttyUSB1). A label that
// cannot show all of its text offers it as a tool tip.
void setWidgetText(QWidget& widget, const QString& text);
