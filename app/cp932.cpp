#include "app/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>

namespace {

constexpr char kCodePage932[] = "CP932";
constexpr char kUtf8[] = "UTF-8";
constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr char kCp932Replacement[] = "?";

unsigned char byteAt(const std::string& text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The UTF-8 sequence at index: how many bytes it should have, and how many
// of them are there and well-formed (no overlong forms, no surrogates,
// nothing above U+10FFFF). A lead byte that cannot start a sequence expects 0.
struct Utf8Prefix {
    std::size_t expected = 0;
    std::size_t valid = 0;
};

Utf8Prefix utf8PrefixAt(const std::string& text, std::size_t index) {
    const unsigned char lead = byteAt(text, index);
    Utf8Prefix prefix;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80) {
        return {1, 1};
    } else if (inRange(lead, 0xC2, 0xDF)) {
        prefix.expected = 2;
    } else if (inRange(lead, 0xE0, 0xEF)) {
        prefix.expected = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (inRange(lead, 0xF0, 0xF4)) {
        prefix.expected = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return prefix;
    }
    prefix.valid = 1;
    while (prefix.valid < prefix.expected && index + prefix.valid < text.size()) {
        const unsigned char next = byteAt(text, index + prefix.valid);
        const bool second = prefix.valid == 1;
        if (!inRange(next, second ? secondLow : 0x80, second ? secondHigh : 0xBF)) {
            break;
        }
        ++prefix.valid;
    }
    return prefix;
}

// Length of the well-formed UTF-8 sequence at index; 0 when there is none.
std::size_t utf8SequenceLength(const std::string& text, std::size_t index) {
    const Utf8Prefix prefix = utf8PrefixAt(text, index);
    return prefix.valid == prefix.expected ? prefix.valid : 0;
}

// Length of the code page 932 character at index: two bytes for a lead byte
// with a byte after it, one otherwise (the converter judges the pair).
std::size_t cp932CharacterLength(const std::string& text, std::size_t index) {
    const unsigned char lead = byteAt(text, index);
    const bool isLead = inRange(lead, 0x81, 0x9F) || inRange(lead, 0xE0, 0xFC);
    return isLead && index + 1 < text.size() ? 2 : 1;
}

std::size_t skipOneCp932Byte(const std::string& /*text*/, std::size_t /*index*/) {
    // Only the lead byte is dropped: a bad trail byte may be a character of
    // its own (often ASCII), which then still shows.
    return 1;
}

// A character that does not convert, or the well-formed start of a sequence
// that breaks off, counts as one.
std::size_t skipOneUtf8Character(const std::string& text, std::size_t index) {
    return std::max<std::size_t>(utf8PrefixAt(text, index).valid, 1);
}

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) {
            iconv_close(m_handle);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // Converts all of text; where a character does not convert, appends
    // replacement and goes on after the bytes skip() says to drop.
    std::string convert(const std::string& text, const char* replacement,
                        std::size_t (*skip)(const std::string&, std::size_t)) {
        std::string result;
        std::size_t position = 0;
        while (position < text.size()) {
            position = convertUntilFailure(text, position, result);
            if (position < text.size()) {
                result += replacement;
                position += skip(text, position);
                iconv(m_handle, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
            }
        }
        return result;
    }

private:
    // Converts from position on; returns where it stopped (text.size() when done).
    std::size_t convertUntilFailure(const std::string& text, std::size_t position,
                                    std::string& result) {
        char buffer[256];
        char* input = const_cast<char*>(text.data() + position);
        std::size_t inputLeft = text.size() - position;
        while (inputLeft > 0) {
            char* output = buffer;
            std::size_t outputLeft = sizeof buffer;
            const std::size_t status = iconv(m_handle, &input, &inputLeft, &output, &outputLeft);
            result.append(buffer, static_cast<std::size_t>(output - buffer));
            if (status == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;  // EILSEQ or EINVAL: the caller replaces the character
            }
        }
        return text.size() - inputLeft;
    }

    iconv_t m_handle;
};

// Without the system's converter only ASCII can be trusted.
std::string keepAscii(const std::string& text, const char* replacement) {
    std::string result;
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) < 0x80) {
            result += byte;
        } else {
            result += replacement;
        }
    }
    return result;
}

std::string convertOrKeepAscii(const char* to, const char* from, const std::string& text,
                               const char* replacement,
                               std::size_t (*skip)(const std::string&, std::size_t)) {
    Converter converter(to, from);
    if (!converter.usable()) {
        return keepAscii(text, replacement);
    }
    return converter.convert(text, replacement, skip);
}

}  // namespace

std::string cp932ToUtf8(const std::string& cp932) {
    return convertOrKeepAscii(kUtf8, kCodePage932, cp932, kUtf8Replacement, skipOneCp932Byte);
}

std::string utf8ToCp932(const std::string& utf8) {
    return convertOrKeepAscii(kCodePage932, kUtf8, utf8, kCp932Replacement, skipOneUtf8Character);
}

std::string mixedTextToUtf8(const std::string& text) {
    std::string result;
    std::string cp932Run;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t utf8Length = utf8SequenceLength(text, position);
        if (utf8Length > 1) {
            result += cp932ToUtf8(cp932Run);
            cp932Run.clear();
            result.append(text, position, utf8Length);
            position += utf8Length;
        } else {
            const std::size_t cp932Length = cp932CharacterLength(text, position);
            cp932Run.append(text, position, cp932Length);
            position += cp932Length;
        }
    }
    return result + cp932ToUtf8(cp932Run);
}
