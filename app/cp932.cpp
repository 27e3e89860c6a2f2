#include "app/cp932.h"

#include <algorithm>

#include "app/text_sequences.h"

namespace {

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

}  // namespace

std::size_t utf8SequenceLength(const std::string& text, std::size_t index) {
    const Utf8Prefix prefix = utf8PrefixAt(text, index);
    return prefix.valid == prefix.expected ? prefix.valid : 0;
}

std::size_t cp932CharacterLength(const std::string& text, std::size_t index) {
    const unsigned char lead = byteAt(text, index);
    const bool isLead = inRange(lead, 0x81, 0x9F) || inRange(lead, 0xE0, 0xFC);
    return isLead && index + 1 < text.size() ? 2 : 1;
}

std::size_t utf8BytesToSkip(const std::string& text, std::size_t index) {
    return std::max<std::size_t>(utf8PrefixAt(text, index).valid, 1);
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
