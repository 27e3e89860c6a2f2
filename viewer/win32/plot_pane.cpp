#include "viewer/win32/plot_pane.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "text/translation.h"
#include "viewer/viewer_texts.h"
#include "viewer/win32/screen_scale.h"

namespace {

const wchar_t kClassName[] = L"DataDockPlotPane";

std::optional<PlotController::Key> plotKeyOf(WPARAM key) {
    switch (key) {
        case VK_ADD:
        case VK_OEM_PLUS:
            return PlotController::Key::ZoomIn;
        case VK_SUBTRACT:
        case VK_OEM_MINUS:
            return PlotController::Key::ZoomOut;
        case VK_LEFT:
            return PlotController::Key::PanLeft;
        case VK_RIGHT:
            return PlotController::Key::PanRight;
        case VK_HOME:
        case '0':
        case VK_NUMPAD0:
            return PlotController::Key::Whole;
        default:
            return std::nullopt;
    }
}

void registerClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));  // the cross
    type.lpszClassName = kClassName;
    RegisterClassExW(&type);  // fails harmlessly when already registered
}

}  // namespace

PlotPane::PlotPane(HINSTANCE instance, HWND parent) {
    registerClass(instance, &PlotPane::procedure);
    m_scale = scaledPixels(parent, 960) / 960.0;
    m_window = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100,
                               100, parent, nullptr, instance, this);
    m_controller.onChange([this] { InvalidateRect(m_window, nullptr, FALSE); });
}

LRESULT CALLBACK PlotPane::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
        reinterpret_cast<PlotPane*>(creation->lpCreateParams)->m_window = window;
    }
    auto* pane = reinterpret_cast<PlotPane*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return pane ? pane->handle(message, wParam, lParam)
                : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlotPane::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // The plot is laid out at 96 dots an inch and drawn at the screen's scale.
    const double x = GET_X_LPARAM(lParam) / m_scale;
    switch (message) {
        case WM_SIZE:
            m_controller.setArea(Rect{0, 0, LOWORD(lParam) / m_scale, HIWORD(lParam) / m_scale});
            return 0;
        case WM_PAINT:
            paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the buffer covers it all
        case WM_MOUSEWHEEL: {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // on the screen
            ScreenToClient(m_window, &at);
            m_controller.wheel(GET_WHEEL_DELTA_WPARAM(wParam) / 120.0,
                               (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0, at.x / m_scale);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetFocus(m_window);
            SetCapture(m_window);
            m_controller.press(message == WM_MBUTTONDOWN || (wParam & MK_CONTROL)
                                   ? PlotController::Drag::Pan
                                   : PlotController::Drag::Range,
                               x);
            return 0;
        case WM_MOUSEMOVE:
            mouseMoved(x);
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
            ReleaseCapture();
            m_controller.release();
            return 0;
        case WM_LBUTTONDBLCLK:
            m_controller.doubleClick();
            return 0;
        case WM_MOUSELEAVE:
            m_tracking = false;
            m_controller.leave();
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (keyPressed(wParam)) {
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void PlotPane::mouseMoved(double x) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_window, 0};
        m_tracking = TrackMouseEvent(&track) != FALSE;
    }
    m_controller.move(x);
}

bool PlotPane::keyPressed(WPARAM key) {
    const std::optional<PlotController::Key> plotKey = plotKeyOf(key);
    return plotKey && m_controller.key(*plotKey);
}

PlotPane::~PlotPane() {
    dropBuffer();
}

void PlotPane::dropBuffer() {
    m_canvas.reset();
    m_graphics.reset();
    if (m_buffer) {
        SelectObject(m_buffer, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_buffer);
        m_buffer = nullptr;
    }
}

GdiplusCanvas& PlotPane::bufferOf(HDC screen, int width, int height) {
    if (!m_canvas || m_bufferSize.cx != width || m_bufferSize.cy != height) {
        dropBuffer();
        m_buffer = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, width, height);
        m_previous = SelectObject(m_buffer, m_bitmap);
        m_bufferSize = {width, height};
        m_graphics = std::make_unique<Gdiplus::Graphics>(m_buffer);
        m_graphics->ScaleTransform(static_cast<Gdiplus::REAL>(m_scale),
                                   static_cast<Gdiplus::REAL>(m_scale));
        m_canvas = std::make_unique<GdiplusCanvas>(*m_graphics);
    }
    return *m_canvas;
}

void PlotPane::paint() {
    PAINTSTRUCT painting;
    const HDC screen = BeginPaint(m_window, &painting);
    RECT client;
    GetClientRect(m_window, &client);
    const int width = std::max<LONG>(client.right, 1), height = std::max<LONG>(client.bottom, 1);
    GdiplusCanvas& canvas = bufferOf(screen, width, height);
    const Rect area{0, 0, width / m_scale, height / m_scale};
    const PlotColours colours;
    canvas.fillRect(area, colours.background);
    if (m_controller.session()) {
        m_controller.paint(canvas, colours);
    } else {
        canvas.drawText(area, Align::Centre, translated(viewer_text::kEmptyPlot), colours.text,
                        Font{});
    }
    m_graphics->Flush(Gdiplus::FlushIntentionSync);
    BitBlt(screen, 0, 0, width, height, m_buffer, 0, 0, SRCCOPY);
    EndPaint(m_window, &painting);
}
