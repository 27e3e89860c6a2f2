// datadock-viewer: a log saved from the KTR-90 as plots, laps and a lap table.
#include <QApplication>
#include <QIcon>

#include "viewer/viewer_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DataDock log viewer"));
    QApplication::setDesktopFileName(QStringLiteral("datadock-viewer"));

    ViewerWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    const QStringList files = QApplication::arguments().mid(1);
    if (!files.isEmpty()) {
        window.openFiles(files);
    }
    return application.exec();
}
