#pragma once

#include <QFont>
#include <vector>

#include "app/qt/dialog_units.h"

// Dialog template 102, the main window: its caption, size and controls, in
// dialog units. Texts are the system's code page 932 bytes.
constexpr int kMainDialogTemplateId = 102;
constexpr int kMainDialogWidth = 171;
constexpr int kMainDialogHeight = 148;

enum class ControlKind { GroupBox, DropDownList, ProgressBar, PushButton, Label };
enum class TextAlignment { Left, Centre };

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    // For a drop-down list the height is that of the dropped list.
    DialogRect rect;
    const char* text = "";
    bool visible = true;
    TextAlignment alignment = TextAlignment::Left;
    bool wordWrap = false;
};

const char* mainDialogCaption();

// In creation order, which is also the order the keyboard focus takes.
const std::vector<ControlTemplate>& mainDialogControls();

// A text the system puts on a template's control while it runs. It must show
// whole, as the template's own texts must.
struct RunningText {
    int id = 0;
    const char* text = "";
};

// The transfer titles, the last percentage and the port names a user usually
// sees (short names: the whole path is a tool tip).
const std::vector<RunningText>& mainDialogRunningTexts();

// The window's text is made smaller than the template's font down to this
// size at most, so that every text fits its control.
constexpr double kSmallestTextPointSize = 7;

// "MS UI Gothic" 9 pt where it is installed, else the system's UI font at 9 pt.
QFont mainDialogFont();
