// The main window opens the log viewer from its background's menu, for
// dropped CSV files and from the box that says a LOG SAVE has completed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "app/control_ids.h"
#include "tests/gui/window_harness.h"
#include "tests/support/temp_files.h"
#include "viewer/viewer_window.h"

namespace {

const QString kGoldenLog = QStringLiteral(DATADOCK_SOURCE_DIR "/tests/data/golden/normal_log.csv");

// The viewer opened with a log shown, if any.
const LogSession* shownLog(QtMainWindow& window) {
    const auto viewers = window.findChildren<ViewerWindow*>();
    return viewers.isEmpty() || !viewers.back()->isWindow() ? nullptr : viewers.back()->session();
}

// Right-clicks at a point; the menu that appears, if any, gets its actions'
// texts recorded and its first action triggered.
QStringList rightClick(QWidget& window, QPoint at) {
    QStringList shown;
    QObject scope;  // the check is dropped with this function when no menu came
    QTimer::singleShot(0, &scope, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions()) {
                shown << action->text();
            }
            menu->actions().front()->trigger();
            menu->close();
        }
    });
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
    const QRect logSave = harness.window.control(ctl::kBtnLogSave)->geometry();
    EXPECT_TRUE(rightClick(harness.window, logSave.center()).isEmpty());

    const QPoint background = logSave.bottomRight() + QPoint(3, 3);
    ASSERT_EQ(harness.window.childAt(background), nullptr);
    EXPECT_EQ(rightClick(harness.window, background), QStringList{QStringLiteral("View a log…")});
    EXPECT_NE(shownLog(harness.window), nullptr);  // in a window of its own
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
    EXPECT_NE(shownLog(harness.window), nullptr);
}

// The completion box keeps its text and icon and OK stays the default, so
// Enter does what it always did; "View" beside it shows the saved pair.
TEST(LogViewerEntryTest, CompletedLogSaveOffersToViewTheSavedFiles) {
    ScriptedWindow harness;
    // A small log: DSTA; the lap set (a name, three summary times, the first
    // lap's start with the sample count, one lap); DCHG; the sample set.
    const std::string ack = "OK00\r\n", name = "OK00,0001,TEST\r\n", end = "OK01\r\n";
    const std::string lap = "OK00,0000,0021,0000\r\n", start = "OK00,0000,0000,0000,0001\r\n";
    const std::string interval = "OK00,000A\r\n", sample = "OK00,0078,0078,0100,02E6,0019,001E\r\n";
    harness.device->replies = {ack, name, lap,  lap,      lap,    start, lap,
                               end, ack,  name, interval, sample, end};
    harness.window.answerMessageBoxesWith({});  // the real box
    QStringList buttons;
    EveryPump whenTheBoxShows([&] {  // the transfer pumps events before the box comes
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            whenTheBoxShows.timer.stop();
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
            for (QAbstractButton* button : box->buttons()) {
                buttons << button->text();
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == QStringLiteral("View")) {
                    button->click();
                }
            }
            box->close();  // no View: the test fails instead of waiting
        }
    });
    harness.button(ctl::kBtnLogSave)->click();
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes()[0];
    EXPECT_EQ(box.text, "Completed to receive data!!");
    EXPECT_EQ(box.viewable,
              (std::vector<std::string>{TempPath("field_1.csv"), TempPath("field_2.csv")}));
    EXPECT_EQ(buttons.size(), 2) << buttons.join(',').toStdString();
    EXPECT_NE(shownLog(harness.window), nullptr);
}

}  // namespace
