// datadock-viewer.exe: the log viewer on Windows. The files to show may be
// given as arguments, as the main window and datadock.exe log-save --view do;
// "--english" (or "-ENGLISH", as the main window takes it) shows its texts in
// English whatever the user's language.
// <windows.h> comes before every other Windows header.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

#include "text/utf16.h"
#include "viewer/english_switch.h"
#include "viewer/gdiplus_canvas.h"
#include "viewer/win32/viewer_frame.h"

namespace {

// The files given, the English switch taken out of them.
std::vector<std::string> arguments() {
    int count = 0;
    LPWSTR* given = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> files;
    for (int i = 1; given && i < count; ++i) {
        if (std::string argument = utf16ToUtf8(given[i]); !takeEnglishSwitch(argument)) {
            files.push_back(std::move(argument));
        }
    }
    LocalFree(given);
    return files;
}

// Under the user's application data, as Windows programs keep their lists.
std::string settingsFolder() {
    PWSTR folder = nullptr;
    std::wstring path;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) {
        path = std::wstring(folder) + L"\\DataDock\\datadock-viewer";
    }
    CoTaskMemFree(folder);
    return utf16ToUtf8(path);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    const std::vector<std::string> files = arguments();  // the language before any text
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    const GdiplusSession drawing;
    ViewerFrame frame(instance, settingsFolder());
    frame.quitOnClose();
    frame.showWhereLeft(show);
    if (!files.empty()) {
        frame.openFiles(files);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorW(frame.window(), frame.accelerators(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
