// The window's tests need a QApplication, on the offscreen platform unless
// the caller chose another (test discovery runs without a display too).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DATADOCK MANAGER"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
