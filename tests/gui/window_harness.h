#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "app/qt/qt_main_window.h"
#include "serial/clock.h"
#include "serial/serial_port_api.h"

// The real window and the real logic, initialised and shown offscreen, with
// message boxes recorded instead of shown.
class WindowHarness {
public:
    explicit WindowHarness(
        std::vector<std::string> ports = {}, bool showModelSave = false,
        CDatadockDlg::SerialFactory openPort = [] { return std::make_unique<SerialPortAPI>(); },
        Clock& clock = systemClock());
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    bool visible(int id) const;
    QString shownText(int id) const;
    void click(int id);

    QtMainWindow window;
    CDatadockDlg logic;
};
