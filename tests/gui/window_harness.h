#pragma once

#include <QString>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "app/qt/datadock_window.h"

// The real window and the real logic, initialised and shown offscreen, with
// message boxes recorded instead of shown.
class WindowHarness {
public:
    explicit WindowHarness(std::vector<std::string> ports = {}, bool showModelSave = false);
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    bool visible(int id) const;
    QString shownText(int id) const;
    void click(int id);

    DatadockWindow window;
    CDatadockDlg logic;
};
