#include "text/translation.h"

#include <atomic>

#include "text/catalog.h"
#include "text/japanese_catalog.h"
#include "text/ui_language.h"

namespace {

// What a program or a test chose; none until then. Atomic, as a transfer's
// thread may ask for a text while the window's thread starts.
constexpr int kSystemsChoice = -1;
std::atomic<int> chosenLanguage{kSystemsChoice};

const Catalog& japaneseCatalog() {
    static const Catalog catalog = parseCatalog(kJapaneseCatalog);
    return catalog;
}

}  // namespace

UiLanguage uiLanguage() {
    if (const int chosen = chosenLanguage.load(); chosen != kSystemsChoice) {
        return static_cast<UiLanguage>(chosen);
    }
    static const UiLanguage systems = systemUiLanguage();
    return systems;
}

void useUiLanguage(UiLanguage language) {
    chosenLanguage.store(static_cast<int>(language));
}

bool englishChosenOverSystem() {
    return uiLanguage() == UiLanguage::English && systemUiLanguage() != UiLanguage::English;
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
