#include "text/translation.h"

#include <optional>

#include "text/catalog.h"
#include "text/japanese_catalog.h"
#include "text/ui_language.h"

namespace {

std::optional<UiLanguage>& chosenLanguage() {
    static std::optional<UiLanguage> language;
    return language;
}

const Catalog& japaneseCatalog() {
    static const Catalog catalog = parseCatalog(kJapaneseCatalog);
    return catalog;
}

}  // namespace

UiLanguage uiLanguage() {
    auto& language = chosenLanguage();
    if (!language) {
        language = systemUiLanguage();
    }
    return *language;
}

void useUiLanguage(UiLanguage language) {
    chosenLanguage() = language;
}

std::string japaneseText(std::string_view english) {
    const auto& translations = japaneseCatalog().translations;
    const auto found = translations.find(english);
    return found == translations.end() ? std::string(english) : found->second;
}

std::string translated(std::string_view english) {
    return uiLanguage() == UiLanguage::Japanese ? japaneseText(english) : std::string(english);
}

std::string translated(std::string_view english, std::initializer_list<TextValue> values) {
    const std::string text = translated(english);
    std::string result;
    std::size_t position = 0;
    while (position < text.size()) {
        const auto open = text.find('{', position);
        const auto close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos) {
            break;
        }
        const std::string_view name(text.data() + open + 1, close - open - 1);
        result.append(text, position, open - position);
        const TextValue* value = nullptr;
        for (const auto& candidate : values) {
            if (candidate.name == name)
                value = &candidate;
        }
        if (value != nullptr) {
            result += value->value;
        } else {
            result.append(text, open, close + 1 - open);
        }
        position = close + 1;
    }
    result.append(text, std::min(position, text.size()));
    return result;
}
