// The main window opens the log viewer from its background's menu and for
// dropped CSV files, and nowhere else.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "app/control_ids.h"
#include "tests/gui/window_harness.h"
#include "viewer/viewer_window.h"

namespace {

const QString kGoldenLog = QStringLiteral(DATADOCK_SOURCE_DIR "/tests/data/golden/normal_log.csv");

ViewerWindow* openedViewer(QtMainWindow& window) {
    const auto viewers = window.findChildren<ViewerWindow*>();
    return viewers.isEmpty() ? nullptr : viewers.back();
}

// Right-clicks at a point; the menu that appears, if any, gets its actions'
// texts recorded and the one named `choose` triggered.
QStringList rightClick(QWidget& window, QPoint at, const QString& choose) {
    QStringList shown;
    QTimer inMenu;  // stopped with this function when no menu came
    inMenu.setSingleShot(true);
    QObject::connect(&inMenu, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions()) {
                shown << action->text();
                if (action->text() == choose) {
                    action->trigger();
                }
            }
            menu->close();
        }
    });
    inMenu.start(0);
    QWidget* target = window.childAt(at) ? window.childAt(at) : &window;
    QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(&window, at),
                            window.mapToGlobal(at));
    QApplication::sendEvent(target, &event);
    return shown;
}

TEST(LogViewerEntryTest, BackgroundMenuOpensTheViewerOnTheChosenLog_ButtonsHaveNoMenu) {
    WindowHarness harness({"/dev/ttyUSB0"});
    harness.window.answerFileDialogsWith(
        [](const FileDialogRequest& request) -> std::optional<std::string> {
            EXPECT_TRUE(request.openForReading);
            return kGoldenLog.toStdString();
        });
    QWidget* logSave = harness.window.control(ctl::kBtnLogSave);
    const QPoint onButton = logSave->geometry().center();
    EXPECT_TRUE(rightClick(harness.window, onButton, {}).isEmpty());
    EXPECT_EQ(openedViewer(harness.window), nullptr);

    const QPoint background(logSave->geometry().right() + 3, logSave->geometry().bottom() + 3);
    ASSERT_EQ(harness.window.childAt(background), nullptr);
    EXPECT_EQ(rightClick(harness.window, background, QStringLiteral("View a log…")),
              QStringList{QStringLiteral("View a log…")});
    ViewerWindow* viewer = openedViewer(harness.window);
    ASSERT_NE(viewer, nullptr);
    ASSERT_NE(viewer->session(), nullptr);
    EXPECT_EQ(viewer->session()->spans.size(), 2u);  // its lap file found beside it
    EXPECT_TRUE(viewer->isWindow());
    viewer->close();
}

TEST(LogViewerEntryTest, DroppedCsvFilesOpenTheViewer_OtherFilesAreRefused) {
    WindowHarness harness;
    QMimeData firmware;
    firmware.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/KTR90.dat"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &firmware, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(harness.window).event(&enter);
    EXPECT_FALSE(enter.isAccepted());

    QMimeData log;
    log.setUrls({QUrl::fromLocalFile(kGoldenLog)});
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &log, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: outside a real drag, QApplication would redirect it.
    static_cast<QObject&>(harness.window).event(&drop);
    ViewerWindow* viewer = openedViewer(harness.window);
    ASSERT_NE(viewer, nullptr);
    ASSERT_NE(viewer->session(), nullptr);
    EXPECT_EQ(viewer->session()->log.size(), 46u);
    viewer->close();
}

}  // namespace
