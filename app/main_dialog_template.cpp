#include "app/main_dialog_template.h"

#include <algorithm>
#include <utility>

#include "app/control_ids.h"
#include "app/texts.h"
#include "text/translation.h"

namespace {

constexpr bool kHidden = false;

}  // namespace

const char* mainDialogCaption() {
    return txt::kCaption;
}

const std::vector<ControlTemplate>& mainDialogControls() {
    using enum ControlKind;
    using enum TextAlignment;
    static const std::vector<ControlTemplate> controls = {
        {ctl::kPortGroup, GroupBox, {7, 7, 51, 27}, txt::kPortGroup},
        {ctl::kComboPort, DropDownList, {12, 16, 41, 61}},
        {ctl::kProgress, ProgressBar, {7, 79, 157, 13}, "", kHidden},
        {ctl::kBtnLogSave, PushButton, {7, 52, 157, 27}, txt::kBtnLogSave},
        {ctl::kBtnModelSave, PushButton, {63, 11, 101, 23}, txt::kBtnModelSave},
        {ctl::kBtnUpdate, PushButton, {7, 92, 157, 27}, txt::kBtnUpdate},
        {ctl::kGroupTransfer, GroupBox, {7, 37, 157, 93}, "", kHidden},
        {ctl::kStaticTitle, Label, {15, 50, 132, 13}, "", kHidden},
        {ctl::kStaticInfo, Label, {15, 97, 143, 23}, "", kHidden, Left, true},
        {ctl::kStaticPercent, Label, {129, 62, 32, 13}, "", kHidden},
        {ctl::kStaticPort, Label, {13, 19, 39, 11}, "", true, Centre},
        // Not in the original template: stops a transfer, under its frame.
        {ctl::kBtnCancel, PushButton, {114, 132, 50, 14}, txt::kBtnCancel, kHidden, Centre},
    };
    return controls;
}

std::string initialText(const ControlTemplate& control) {
    return translated(control.text);
}

std::vector<TextToFit> mainDialogTextsToFit() {
    const std::pair<int, const char*> running[] = {
        {ctl::kStaticTitle, txt::kTitleLogSave},
        {ctl::kStaticTitle, txt::kTitleModelSave},
        {ctl::kStaticTitle, txt::kTitleUpdate},
        {ctl::kStaticPercent, "100%"},
        {ctl::kStaticPort, txt::kNoPort},
        {ctl::kStaticPort, "ttyUSB0"},
        {ctl::kStaticPort, "COM10"},
        {ctl::kComboPort, "ttyUSB0"},
        {ctl::kComboPort, "COM10"},
    };
    std::vector<TextToFit> all;
    for (const ControlTemplate& control : mainDialogControls()) {
        if (control.text[0] != '\0') {
            all.push_back({control.id, control.kind, initialText(control)});
        }
    }
    for (const auto& [id, text] : running) {
        const auto shown = std::find_if(mainDialogControls().begin(), mainDialogControls().end(),
                                        [id = id](const ControlTemplate& c) { return c.id == id; });
        all.push_back({id, shown->kind, text});
    }
    return all;
}
