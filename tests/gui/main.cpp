// The windows' tests (the main window's and the log viewer's) need a
// QApplication, on the offscreen platform unless the caller chose another
// (test discovery runs without a display too).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Settings (the log viewer's) apart from the user's and from other tests
    // running at the same time.
    const QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DATADOCK MANAGER"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
