#include "app/win32/display_text.h"

#include "app/cp932.h"
#include "serial/utf16.h"

std::wstring displayText(const std::string& text) {
    return utf8ToUtf16(mixedTextToUtf8(text));
}
