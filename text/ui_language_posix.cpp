#include <cstdlib>

#include "text/ui_language.h"

UiLanguage systemUiLanguage() {
    return languageFromVariables(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                 std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
