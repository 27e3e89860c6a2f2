// datadock-manager: the KTR-90 logger's window.
#include <QApplication>
#include <QIcon>
#include <QTranslator>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/datadock_dlg.h"
#include "app/qt/qt_main_window.h"
#include "app/qt/qt_translations.h"
#include "serial/port_discovery.h"
#include "serial/serial_port_api.h"

namespace {

constexpr char kApplicationName[] = "DATADOCK MANAGER";
constexpr char kDesktopFileName[] = "datadock-manager";

// What follows the program's name, once Qt has taken its own options out.
std::vector<std::string> argumentsAfterProgramName(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(kApplicationName));
    QApplication::setApplicationVersion(QString::fromLatin1(DATADOCK_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));

    const std::string tail = argumentTail(argumentsAfterProgramName(argc, argv));
    applyLanguageSwitch(tail);
    QTranslator qtTexts;
    installQtTranslations(application, qtTexts);

    QtMainWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    CDatadockDlg logic(window, offeredPorts, [] { return std::make_unique<SerialPortAPI>(); });
    if (showsModelSave(tail)) {
        logic.EnableModelSave();
    }
    window.attachLogic(logic);
    window.runModal();
    window.detachLogic();
    return 0;
}
