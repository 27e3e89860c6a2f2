// Code page 932 through the C library's iconv.
#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "app/cp932.h"
#include "app/text_sequences.h"

namespace {

constexpr char kCodePage932[] = "CP932";
constexpr char kUtf8[] = "UTF-8";
constexpr char kUtf8Replacement[] = "\xEF\xBF\xBD";  // U+FFFD
constexpr char kCp932Replacement[] = "?";

std::size_t skipOneCp932Byte(const std::string& /*text*/, std::size_t /*index*/) {
    // Only the lead byte is dropped: a bad trail byte may be a character of
    // its own (often ASCII), which then still shows.
    return 1;
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
    return convertOrKeepAscii(kCodePage932, kUtf8, utf8, kCp932Replacement, utf8BytesToSkip);
}

