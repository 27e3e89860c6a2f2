#include "device/hex_field.h"

#include <climits>
#include <cstdlib>

int ParseHexField(const std::string& text) {
    // The "0x0" prefix makes a leading sign or "0x" in the text end the number.
    const std::string prefixed = "0x0" + text;
    const long long value = std::strtoll(prefixed.c_str(), nullptr, 16);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::string Mid(const std::string& text, std::size_t pos, std::size_t count) {
    return pos >= text.size() ? std::string() : text.substr(pos, count);
}
