#include "app/command_line.h"

#include <algorithm>
#include <string_view>

#include "text/translation.h"

namespace {

constexpr std::string_view kModelSaveSwitch = "-VARDO";
constexpr std::string_view kEnglishSwitch = "-ENGLISH";

// The tail's switches in their order; nothing at all when anything else is in
// it, so a mistyped tail switches nothing on.
std::vector<std::string_view> switchesIn(std::string_view tail) {
    std::vector<std::string_view> found;
    while (!tail.empty()) {
        const std::size_t blank = tail.find(' ');
        const std::string_view word = tail.substr(0, blank);
        const bool known = word == kModelSaveSwitch || word == kEnglishSwitch;
        const bool trailingBlank = blank == tail.size() - 1;
        if (!known || trailingBlank || std::ranges::find(found, word) != found.end()) {
            return {};
        }
        found.push_back(word);
        tail = blank == std::string_view::npos ? std::string_view{} : tail.substr(blank + 1);
    }
    return found;
}

bool hasSwitch(const std::string& tail, std::string_view name) {
    const std::vector<std::string_view> switches = switchesIn(tail);
    return std::ranges::find(switches, name) != switches.end();
}

}  // namespace

std::string argumentTail(const std::vector<std::string>& argsAfterProgramName) {
    std::string tail;
    for (const std::string& argument : argsAfterProgramName) {
        if (&argument != &argsAfterProgramName.front()) {
            tail += ' ';
        }
        tail += argument;
    }
    return tail;
}

bool showsModelSave(const std::string& tail) {
    return hasSwitch(tail, kModelSaveSwitch);
}

bool asksForEnglish(const std::string& tail) {
    return hasSwitch(tail, kEnglishSwitch);
}

void applyLanguageSwitch(const std::string& tail) {
    if (asksForEnglish(tail)) {
        useUiLanguage(UiLanguage::English);
    }
}
