#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "app/qt/datadock_window.h"

// The real window and the real logic, initialised and shown offscreen, with
// message boxes recorded instead of shown.
struct Visibility {
    int id;
    bool visible;
};

class WindowHarness;
// Checks what a person sees: each control shown or hidden as expected.
void expectVisibility(const WindowHarness& harness, std::initializer_list<Visibility> expected);

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
