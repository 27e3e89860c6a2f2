// Code page 932 through the C library's iconv.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>

#include "text/cp932.h"
#include "text/text_sequences.h"

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

    enum class Reading { Whole, BrokenOff, Invalid };
    // Whether exactly these bytes convert as a whole, end too early, or hold
    // something that never converts.
    Reading read(const char* bytes, std::size_t size) {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* input = const_cast<char*>(bytes);
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        if (iconv(m_handle, &input, &size, &output, &outputLeft) != static_cast<std::size_t>(-1)) {
            return Reading::Whole;
        }
        return errno == EINVAL ? Reading::BrokenOff : Reading::Invalid;
    }

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

// How the bytes at index read as UTF-8, judged by the converter itself: the
// length of the character there (0 when there is none) and how many bytes to
// pass over when there is none (the start of a sequence that breaks off
// counts as one character).
struct Utf8Reading {
    std::size_t character = 0;
    std::size_t skip = 1;
};

Utf8Reading readUtf8At(const std::string& text, std::size_t index) {
    constexpr std::size_t kLongestUtf8Sequence = 4;
    static thread_local Converter utf8Decoder("UTF-32LE", kUtf8);
    if (!utf8Decoder.usable()) {
        return {static_cast<unsigned char>(text[index]) < 0x80 ? 1u : 0u, 1};
    }
    std::size_t length = 1;
    for (; length <= kLongestUtf8Sequence && index + length <= text.size(); ++length) {
        const Converter::Reading reading = utf8Decoder.read(text.data() + index, length);
        if (reading == Converter::Reading::Whole) {
            return {length, length};
        }
        if (reading == Converter::Reading::Invalid) {
            break;
        }
    }
    return {0, std::max<std::size_t>(length - 1, 1)};
}

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

std::size_t utf8SequenceLength(const std::string& text, std::size_t index) {
    return readUtf8At(text, index).character;
}

std::size_t utf8BytesToSkip(const std::string& text, std::size_t index) {
    return readUtf8At(text, index).skip;
}

std::string cp932ToUtf8(const std::string& cp932) {
    return convertOrKeepAscii(kUtf8, kCodePage932, cp932, kUtf8Replacement, skipOneCp932Byte);
}

std::string utf8ToCp932(const std::string& utf8) {
    return convertOrKeepAscii(kCodePage932, kUtf8, utf8, kCp932Replacement, utf8BytesToSkip);
}
