#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "text/translation.h"
#include "text/utf16.h"

// The Windows fronts' way to a text in the user's language, as UTF-16 for the
// system's wide functions.
inline std::wstring wideText(std::string_view english) {
    return utf8ToUtf16(translated(english));
}

// The same with each "{name}" replaced by its value.
inline std::wstring wideText(std::string_view english, std::initializer_list<TextValue> values) {
    return utf8ToUtf16(translated(english, values));
}
