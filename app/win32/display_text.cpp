#include "app/win32/display_text.h"

#include "text/cp932.h"
#include "text/utf16.h"

std::wstring displayText(const std::string& text) {
    return utf8ToUtf16(mixedTextToUtf8(text));
}
