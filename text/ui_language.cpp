#include "text/ui_language.h"

#include <optional>
#include <string_view>

namespace {

bool isSet(const char* value) {
    return value != nullptr && *value != '\0';
}

// Japanese for "ja", "ja_JP.UTF-8" and the like; English for "en..."; no
// answer for any other language, which the next choice may then settle.
std::optional<UiLanguage> languageNamed(std::string_view name) {
    const auto code = name.substr(0, name.find_first_of("_.@"));
    if (code == "ja")
        return UiLanguage::Japanese;
    if (code == "en" || code == "C" || code == "POSIX")
        return UiLanguage::English;
    return std::nullopt;
}

}  // namespace

UiLanguage languageFromVariables(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang) {
    const char* locale = isSet(lcAll) ? lcAll : isSet(lcMessages) ? lcMessages : lang;
    const std::string_view localeName = isSet(locale) ? locale : "";
    if (localeName == "C" || localeName.starts_with("C.") || localeName == "POSIX") {
        return UiLanguage::English;
    }
    std::string_view list = isSet(language) ? language : "";
    while (!list.empty()) {
        const auto colon = list.find(':');
        if (const auto named = languageNamed(list.substr(0, colon))) {
            return *named;
        }
        list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
    }
    return languageNamed(localeName).value_or(UiLanguage::English);
}
