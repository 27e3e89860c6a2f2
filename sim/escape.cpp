#include "sim/escape.h"

#include <stdexcept>

namespace ktr90 {
namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

char hexByteAt(std::string_view text, std::size_t at) {
    const int high = at + 1 < text.size() ? hexDigitValue(text[at]) : -1;
    const int low = at + 1 < text.size() ? hexDigitValue(text[at + 1]) : -1;
    if (high < 0 || low < 0) {
        throw std::invalid_argument("\\x needs two hexadecimal digits in: " + std::string(text));
    }
    return static_cast<char>(high * 16 + low);
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

std::string escapeBytes(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            text += "\\x";
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace ktr90
