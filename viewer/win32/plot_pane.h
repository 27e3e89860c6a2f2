#pragma once

#include <windows.h>

#include "viewer/plot_controller.h"

// The stacked panes in a child window: the plot controller's mouse, wheel
// and keys from the window's messages, its picture drawn with GDI+ on a
// buffer and copied to the screen at once, so that nothing flickers.
class PlotPane {
public:
    // A child of parent, at first without a session.
    PlotPane(HINSTANCE instance, HWND parent);
    PlotPane(const PlotPane&) = delete;
    PlotPane& operator=(const PlotPane&) = delete;

    HWND window() const { return m_window; }
    PlotController& controller() { return m_controller; }
    const PlotController& controller() const { return m_controller; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void mouseMoved(double x);
    bool keyPressed(WPARAM key);

    HWND m_window = nullptr;
    PlotController m_controller;
    bool m_tracking = false;  // told when the pointer leaves
};
