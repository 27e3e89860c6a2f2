#include "sim/escape.h"

#include <algorithm>
#include <stdexcept>

#include "device/leading_digits.h"

namespace ktr90 {
namespace {

char hexByteAt(std::string_view text, std::size_t at) {
    const LeadingDigits digits = ReadLeadingDigits(text.substr(std::min(at, text.size()), 2), 16);
    if (digits.count != 2) {
        throw std::invalid_argument("\\x needs two hexadecimal digits in: " + std::string(text));
    }
    return static_cast<char>(digits.value);
}

}  // namespace

std::string unescapeBytes(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes += text[i];
            continue;
        }
        const char kind = i + 1 < text.size() ? text[i + 1] : '\0';
        switch (kind) {
            case 'r':
                bytes += '\r';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 't':
                bytes += '\t';
                break;
            case '\\':
                bytes += '\\';
                break;
            case 'x':
                bytes += hexByteAt(text, i + 2);
                i += 2;
                break;
            default:
                throw std::invalid_argument("unknown escape in: " + std::string(text));
        }
        ++i;
    }
    return bytes;
}

}  // namespace ktr90
