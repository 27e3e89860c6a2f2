#include "viewer/win32/window_placement.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "device/file_access.h"
#include "viewer/text_lines.h"
#include "viewer/whole_file.h"

bool restorePlacement(HWND window, const std::string& path) {
    std::istringstream stored(readWholeFile(path, 256).bytes);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT& place = placement.rcNormalPosition;
    int maximized = 0;
    if (!(stored >> place.left >> place.top >> place.right >> place.bottom >> maximized) ||
        place.right - place.left < 200 || place.bottom - place.top < 150 ||
        !MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) {
        return false;
    }
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(window, &placement);
    return maximized != 0;
}

void savePlacement(HWND window, const std::string& path) {
    if (path.empty()) {
        return;
    }
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) {
        return;
    }
    const RECT& place = placement.rcNormalPosition;
    char text[96];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld %d\n", place.left, place.top, place.right,
                  place.bottom, placement.showCmd == SW_SHOWMAXIMIZED ? 1 : 0);
    std::error_code error;
    std::filesystem::create_directories(FilePath(path).parent_path(), error);
    writeWholeFile(path, text);  // a place not kept is only not remembered
}
