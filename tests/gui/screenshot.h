#pragma once

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

// A picture of the window in the build tree, for a person to look at.
inline void saveScreenshot(QWidget& window, const QString& name) {
    const QString folder = QStringLiteral(DATADOCK_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(window.grab().save(folder + "/" + name)) << name.toStdString();
}
