#include "app/win32/dialog_template_win32.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "app/main_dialog_template.h"
#include "app/win32/display_text.h"

namespace {

// The system's predefined control classes, by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

constexpr DWORD kDialogStyle =
    DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kDialogExStyle = WS_EX_APPWINDOW;

// Appends a template's fields in the system's layout: 16-bit words, strings
// as UTF-16 with a terminating zero, each item on a DWORD boundary.
class TemplateWriter {
public:
    void word(WORD value) { m_words.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void coordinate(int value) { word(static_cast<WORD>(static_cast<short>(value))); }
    void rect(const DialogRect& rect) {
        coordinate(rect.x);
        coordinate(rect.y);
        coordinate(rect.width);
        coordinate(rect.height);
    }
    void text(const std::wstring& text) {
        for (const wchar_t unit : text) {
            word(static_cast<WORD>(unit));
        }
        word(0);
    }
    void atom(WORD atom) {
        word(0xFFFF);
        word(atom);
    }
    void alignToDword() {
        if (m_words.size() % 2 != 0) {
            word(0);
        }
    }
    std::vector<WORD> take() { return std::move(m_words); }

private:
    std::vector<WORD> m_words;
};

DWORD controlStyle(const ControlTemplate& control) {
    const DWORD shown = WS_CHILD | (control.visible ? WS_VISIBLE : 0);
    switch (control.kind) {
        case ControlKind::GroupBox:
            return shown | BS_GROUPBOX;
        // The window keeps the entries in its own order (CB_INSERTSTRING); the
        // box's sorting applies to CB_ADDSTRING only.
        case ControlKind::DropDownList:
            return shown | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
        case ControlKind::ProgressBar:
            return shown | WS_BORDER;
        case ControlKind::PushButton:
            return shown | BS_PUSHBUTTON | WS_TABSTOP |
                   (control.alignment == TextAlignment::Left ? BS_LEFT : 0);
        case ControlKind::Label:
            return shown | WS_GROUP |
                   (control.alignment == TextAlignment::Centre ? SS_CENTER : SS_LEFT);
    }
    return shown;
}

void writeClass(TemplateWriter& out, ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::PushButton:
            out.atom(kButtonClass);
            return;
        case ControlKind::DropDownList:
            out.atom(kComboBoxClass);
            return;
        case ControlKind::ProgressBar:
            out.text(PROGRESS_CLASSW);
            return;
        case ControlKind::Label:
            out.atom(kStaticClass);
            return;
    }
}

}  // namespace

std::vector<WORD> mainDialogTemplate() {
    const std::vector<ControlTemplate>& controls = mainDialogControls();
    TemplateWriter out;
    out.word(1);       // dlgVer
    out.word(0xFFFF);  // signature: the extended template
    out.dword(0);      // helpID
    out.dword(kDialogExStyle);
    out.dword(kDialogStyle);
    out.word(static_cast<WORD>(controls.size()));
    out.rect({0, 0, kMainDialogWidth, kMainDialogHeight});  // DS_CENTER places it
    out.word(0);                                            // no menu
    out.word(0);                                            // the system's dialog class
    out.text(displayText(mainDialogCaption()));
    out.word(static_cast<WORD>(kMainDialogFontPointSize));
    out.word(FW_DONTCARE);
    out.word(MAKEWORD(FALSE, SHIFTJIS_CHARSET));  // not italic; the Japanese character set
    out.text(displayText(kMainDialogFontFamily));
    for (const ControlTemplate& control : controls) {
        out.alignToDword();
        out.dword(0);  // helpID
        out.dword(0);  // exStyle
        out.dword(controlStyle(control));
        out.rect(control.rect);
        out.dword(static_cast<DWORD>(control.id));
        writeClass(out, control.kind);
        out.text(displayText(initialText(control)));
        out.word(0);  // no creation data
    }
    return out.take();
}
