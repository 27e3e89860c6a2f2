#pragma once

#include <string>
#include <vector>

// Dialog template 102, the main window: its caption, font, size and
// controls, in dialog units. Both windows lay it out from here. Texts are the
// system's code page 932 bytes or English UTF-8 that a translation replaces.
constexpr int kMainDialogWidth = 171;
constexpr int kMainDialogHeight = 148;
// The font the template was drawn for; dialog units follow its size.
constexpr char kMainDialogFontFamily[] = "MS UI Gothic";
constexpr int kMainDialogFontPointSize = 9;
// Where that font is missing, a wider one stands in: the windows make their
// text smaller than the template's font, down to this size at most, so that
// every text fits its control.
constexpr double kSmallestTextPointSize = 7;

// A rectangle in dialog units: a quarter of the font's average character
// width across, an eighth of its line height down.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

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
    // A label whose text breaks onto further lines; Windows' own labels
    // always break.
    bool wordWrap = false;
};

const char* mainDialogCaption();

// In creation order, which is also the order the keyboard focus takes.
const std::vector<ControlTemplate>& mainDialogControls();

// What the control shows as the window is made, in the user's language. The
// product's names (the caption, the buttons' lines) have no translation and
// stay as they are.
std::string initialText(const ControlTemplate& control);

// A text that must show whole on its control.
struct TextToFit {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string text;
};

// The template's own texts and those the system puts on its controls while it
// runs: the transfer titles, the last percentage and the port names a user
// usually sees (short names: the whole path is a tool tip); in the user's
// language.
std::vector<TextToFit> mainDialogTextsToFit();
