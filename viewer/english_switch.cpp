#include "viewer/english_switch.h"

#include "text/translation.h"

bool takeEnglishSwitch(std::string_view argument) {
    if (argument != "--english" && argument != "-ENGLISH") {
        return false;
    }
    useUiLanguage(UiLanguage::English);
    return true;
}
