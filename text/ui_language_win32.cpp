#include <windows.h>

#include "text/ui_language.h"

// The user's interface language, as Windows' own programs follow it.
UiLanguage systemUiLanguage() {
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? UiLanguage::Japanese
                                                                      : UiLanguage::English;
}
