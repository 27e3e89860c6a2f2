#pragma once

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

// A picture of the window in the build tree, for a person to look at; taken
// at a scale other than 100 %, its name says so ("idle@2x.png").
inline void saveScreenshot(QWidget& window, QString name) {
    const QString folder = QStringLiteral(DATADOCK_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    if (window.devicePixelRatio() != 1) {
        name.insert(name.lastIndexOf(QLatin1Char('.')),
                    QStringLiteral("@%1x").arg(window.devicePixelRatio()));
    }
    EXPECT_TRUE(window.grab().save(folder + "/" + name)) << name.toStdString();
}
