// The Windows log viewer with the longest log: how long opening it takes in
// the window (reading, the lap table, the first frame) and how long a frame
// takes while panning, at three zooms. Measures and asserts nothing; run
// under Wine on the test display (bench/README.md):
//
//   build/windows/bench/datadock_viewer_timing.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/longest_log.h"
#include "viewer/gdiplus_canvas.h"
#include "viewer/win32/viewer_frame.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.1f ms   max %7.1f ms   (%zu runs)\n", what,
                times[times.size() / 2], times.back(), times.size());
}

}  // namespace

int main() {
    const GdiplusSession drawing;
    const FilePair& log = longestLog();
    {
        ViewerFrame frame(GetModuleHandleW(nullptr), TempPath("timing-settings"));
        frame.showErrorsWith([](const std::string& error) { std::puts(error.c_str()); });
        SetWindowPos(frame.window(), nullptr, 0, 0, 1600, 900, SWP_NOMOVE | SWP_NOZORDER);
        ShowWindow(frame.window(), SW_SHOW);
        pumpMessages();

        std::vector<double> opening;
        for (int run = 0; run < 5; ++run) {
            const Clock::time_point start = Clock::now();
            frame.openFiles({log.log, *log.lap});
            UpdateWindow(frame.plot().window());
            opening.push_back(millisecondsSince(start));
        }
        report("open the 65,535-sample log, first frame", opening);

        PlotController& plot = frame.plot().controller();
        for (const double shown : {1.0, 0.25, 0.02}) {
            plot.showWholeLog();
            plot.zoomBy(shown);
            std::vector<double> frames;
            for (int step = 0; step < 40; ++step) {
                plot.panByFraction(step < 20 ? 0.05 : -0.05);
                const Clock::time_point start = Clock::now();
                UpdateWindow(frame.plot().window());
                frames.push_back(millisecondsSince(start));
            }
            char what[64];
            std::snprintf(what, sizeof what, "redraw while panning, %g of the log shown", shown);
            report(what, frames);
        }
        RECT plotArea;
        GetClientRect(frame.plot().window(), &plotArea);
        std::printf("plot pane %ld x %ld pixels\n", plotArea.right, plotArea.bottom);
    }
    return 0;
}
