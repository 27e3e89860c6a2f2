// Code page 932 through the system's own converter, whatever code page the
// system itself runs with.
#include <windows.h>

#include "text/cp932.h"
#include "text/text_sequences.h"
#include "text/utf16.h"

namespace {

constexpr UINT kCodePage932 = 932;
constexpr wchar_t kReplacement = 0xFFFD;
constexpr char kCp932Replacement[] = "?";
// Windows gives four single bytes that code page 932 leaves undefined (A0, FD,
// FE, FF) characters of the private use area; they are not text.
constexpr wchar_t kUndefinedSingleBytesFirst = 0xF8F0;
constexpr wchar_t kUndefinedSingleBytesLast = 0xF8F3;

// The one character of code page 932 bytes; false when they are none.
bool decodeCharacter(const char* bytes, int count, wchar_t& character) {
    wchar_t wide[2] = {};
    const int length =
        MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes, count, wide, 2);
    if (length != 1) {
        return false;
    }
    character = wide[0];
    return count == 2 || character < kUndefinedSingleBytesFirst ||
           character > kUndefinedSingleBytesLast;
}

std::string encodeRun(const std::string& utf8Run) {
    const std::wstring wide = utf8ToUtf16(utf8Run);
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, kCp932Replacement, nullptr);
    std::string cp932(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size, cp932.data(), length,
                        kCp932Replacement, nullptr);
    return cp932;
}

}  // namespace

// The system's UTF-8 decoder judges: it refuses overlong forms, surrogates and
// anything above U+10FFFF.
std::size_t utf8SequenceLength(const std::string& text, std::size_t index) {
    constexpr std::size_t kLongestUtf8Sequence = 4;
    for (std::size_t length = 1; length <= kLongestUtf8Sequence && index + length <= text.size();
         ++length) {
        if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + index,
                                static_cast<int>(length), nullptr, 0) > 0) {
            return length;
        }
    }
    return 0;
}

// Where no character starts: the lead byte and the continuation bytes after
// it count as one broken character.
std::size_t utf8BytesToSkip(const std::string& text, std::size_t index) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t length = 1;
    if (at(index) >= 0xC2 && at(index) <= 0xF4) {
        while (length < 3 && index + length < text.size() && at(index + length) >= 0x80 &&
               at(index + length) <= 0xBF) {
            ++length;
        }
    }
    return length;
}

// Only the lead byte of a pair that does not decode is dropped: a bad trail
// byte may be a character of its own (often ASCII), which then still shows.
std::string cp932ToUtf8(const std::string& cp932) {
    std::wstring wide;
    std::size_t position = 0;
    while (position < cp932.size()) {
        const std::size_t length = cp932CharacterLength(cp932, position);
        wchar_t character = 0;
        if (decodeCharacter(cp932.data() + position, static_cast<int>(length), character)) {
            wide += character;
            position += length;
        } else {
            wide += kReplacement;
            position += 1;
        }
    }
    return utf16ToUtf8(wide);
}

// Characters beyond the basic plane never have a code page 932 form.
std::string utf8ToCp932(const std::string& utf8) {
    constexpr std::size_t kBeyondBasicPlane = 4;
    std::string result;
    std::string run;
    std::size_t position = 0;
    while (position < utf8.size()) {
        const std::size_t length = utf8SequenceLength(utf8, position);
        if (length > 0 && length < kBeyondBasicPlane) {
            run.append(utf8, position, length);
            position += length;
            continue;
        }
        result += encodeRun(run) + kCp932Replacement;
        run.clear();
        position += length > 0 ? length : utf8BytesToSkip(utf8, position);
    }
    return result + encodeRun(run);
}
