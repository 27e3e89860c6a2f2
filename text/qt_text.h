#pragma once

#include <initializer_list>
#include <string_view>

#include <QString>

#include "text/translation.h"

// The Qt windows' way to a text in the user's language. Header only, so that
// the text library stays free of any toolkit.
inline QString qtText(std::string_view english) {
    return QString::fromStdString(translated(english));
}

// The same with each "{name}" replaced by its value.
inline QString qtText(std::string_view english, std::initializer_list<TextValue> values) {
    return QString::fromStdString(translated(english, values));
}
