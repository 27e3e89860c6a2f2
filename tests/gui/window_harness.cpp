#include "tests/gui/window_harness.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <utility>

WindowHarness::WindowHarness(std::vector<std::string> ports, bool showModelSave,
                             CDatadockDlg::SerialFactory openPort, Clock& clock)
    : logic(
          window, [ports] { return ports; }, std::move(openPort), clock) {
    window.answerMessageBoxesWith([](const ShownMessageBox&) {});
    window.answerFileDialogsWith([](const FileDialogRequest&) { return std::nullopt; });
    if (showModelSave) {
        logic.EnableModelSave();
    }
    window.attachLogic(logic);
    window.initDialog();
    window.show();
}

WindowHarness::~WindowHarness() {
    window.detachLogic();
}

bool WindowHarness::visible(int id) const {
    return window.control(id)->isVisibleTo(&window);
}

// The text as the user reads it, break hints for wrapping left out.
QString WindowHarness::shownText(int id) const {
    QWidget* widget = window.control(id);
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        text = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        text = group->title();
    }
    return text.remove(QChar(0x200B));
}

void WindowHarness::click(int id) {
    qobject_cast<QAbstractButton*>(window.control(id))->click();
}
