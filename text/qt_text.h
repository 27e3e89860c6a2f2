#pragma once

#include <string_view>

#include <QString>

#include "text/translation.h"

// The Qt windows' way to a text in the user's language. Header only, so that
// the text library stays free of any toolkit.
inline QString qtText(std::string_view english) {
    return QString::fromStdString(translated(english));
}
