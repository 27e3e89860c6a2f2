#include "tests/gui/window_harness.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <utility>

#include "tests/support/temp_files.h"

WindowHarness::WindowHarness(std::vector<std::string> presentPorts, bool showModelSave,
                             CDatadockDlg::SerialFactory openPort, Clock& clock)
    : ports(std::move(presentPorts)),
      logic(
          window, [this] { return this->ports; }, std::move(openPort), clock) {
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

QAbstractButton* WindowHarness::button(int id) const {
    return qobject_cast<QAbstractButton*>(window.control(id));
}

void ClockWithPause::sleepMs(int milliseconds) {
    m_clock.sleepMs(milliseconds);
    if (duringNextSleep) {
        std::exchange(duringNextSleep, nullptr)();
    }
}

ScriptedWindow::ScriptedWindow(bool showModelSave)
    : WindowHarness(
          {"/dev/ttyUSB0"}, showModelSave,
          [this] {
              auto scripted = std::make_unique<ScriptedSerialDevice>(clock);
              device = scripted.get();
              return std::make_unique<SerialPortAPI>(std::move(scripted), clock);
          },
          logicClock) {
    window.answerFileDialogsWith([this](const FileDialogRequest&) {
        return TempPath("field_" + std::to_string(++fileDialogs) + ".csv");
    });
}
