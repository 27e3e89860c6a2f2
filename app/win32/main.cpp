// datadock-manager.exe: the KTR-90 logger's window on Windows.
// <windows.h> comes before every other Windows header.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/command_line.h"
#include "app/datadock_dlg.h"
#include "app/win32/command_tail.h"
#include "app/win32/win32_main_window.h"
#include "serial/port_discovery.h"
#include "serial/serial_port_api.h"
#include "text/utf16.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    const std::string tail = utf16ToUtf8(commandLineTail(GetCommandLineW()));
    applyLanguageSwitch(tail);  // the window's template is made in the user's language

    Win32MainWindow window(instance);
    CDatadockDlg logic(window, offeredPorts, [] { return std::make_unique<SerialPortAPI>(); });
    if (showsModelSave(tail)) {
        logic.EnableModelSave();
    }
    window.attachLogic(logic);
    window.runModal();
    return 0;
}
