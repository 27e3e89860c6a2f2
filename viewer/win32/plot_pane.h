#pragma once

#include <windows.h>

#include <memory>

#include "viewer/gdiplus_canvas.h"
#include "viewer/plot_controller.h"

// The stacked panes in a child window: the plot controller's mouse, wheel
// and keys from the window's messages, its picture drawn with GDI+ on a
// buffer and copied to the screen at once, so that nothing flickers.
class PlotPane {
public:
    // A child of parent, at first without a session.
    PlotPane(HINSTANCE instance, HWND parent);
    ~PlotPane();
    PlotPane(const PlotPane&) = delete;
    PlotPane& operator=(const PlotPane&) = delete;

    HWND window() const { return m_window; }
    PlotController& controller() { return m_controller; }
    const PlotController& controller() const { return m_controller; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The buffer the plot is drawn on, kept from frame to frame (with its
    // canvas's fonts) until the pane's size changes.
    GdiplusCanvas& bufferOf(HDC screen, int width, int height);
    void dropBuffer();
    void mouseMoved(double x);
    bool keyPressed(WPARAM key);

    HWND m_window = nullptr;
    PlotController m_controller;
    bool m_tracking = false;  // told when the pointer leaves
    double m_scale = 1;       // the screen's: window pixels a plot pixel
    HDC m_buffer = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    SIZE m_bufferSize{};
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
    std::unique_ptr<GdiplusCanvas> m_canvas;
};
