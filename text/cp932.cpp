#include "text/cp932.h"

#include <algorithm>

#include "text/text_sequences.h"

namespace {

unsigned char byteAt(const std::string& text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

bool inRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

}  // namespace

std::size_t cp932CharacterLength(const std::string& text, std::size_t index) {
    const unsigned char lead = byteAt(text, index);
    const bool isLead = inRange(lead, 0x81, 0x9F) || inRange(lead, 0xE0, 0xFC);
    return isLead && index + 1 < text.size() ? 2 : 1;
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
