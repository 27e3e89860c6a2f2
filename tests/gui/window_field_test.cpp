// The window as users met it in the field, during a real transfer on a
// scripted port: its state, Cancel, keys aimed at hidden buttons, a close
// during a silent wait; and texts that must show whole.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/control_ids.h"
#include "app/qt/control_text.h"
#include "app/qt/port_combo_box.h"
#include "app/texts.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/gui/qt_printers.h"
#include "tests/gui/screenshot.h"
#include "tests/gui/window_harness.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_serial_device.h"
#include "tests/support/temp_files.h"

namespace {

// With one port nothing else takes the focus from the button that started the
// transfer, so Enter and Space went to it, hidden, and ran a second handler
// inside the first. Esc closes only once the handler returns, and a stray
// Enter after it does not turn the cancel into OK.
TEST(WindowFieldTest, HiddenButtonsDoNotReactWhileATransferRuns) {
    ScriptedWindow harness;
    harness.button(ctl::kBtnLogSave)->setFocus();
    bool focusOnHiddenControl = true;
    bool windowOpenInsideHandler = false;
    QTimer::singleShot(0, [&] {  // runs in the handshake's first pump
        QWidget* focused = harness.window.focusWidget();
        focusOnHiddenControl = focused != nullptr && !focused->isVisibleTo(&harness.window);
        QWidget* keyTarget = focused != nullptr ? focused : &harness.window;
        QTest::keyClick(keyTarget, Qt::Key_Space);
        QTest::keyClick(keyTarget, Qt::Key_Return);
        for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate}) {
            harness.button(id)->click();
        }
        QTest::keyClick(&harness.window, Qt::Key_Escape);
        QTest::keyClick(&harness.window, Qt::Key_Return);
        windowOpenInsideHandler = harness.window.isVisible();
    });

    harness.button(ctl::kBtnLogSave)->click();

    EXPECT_FALSE(focusOnHiddenControl);
    EXPECT_TRUE(windowOpenInsideHandler);
    EXPECT_EQ(harness.fileDialogs, 2) << "only the first LOG SAVE chose its files";
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_FALSE(harness.window.isVisible());
    EXPECT_EQ(harness.window.result(), IDCANCEL);
}

// The buttons still show while a transfer's files are chosen; a click on one
// then (queued behind the file dialog) starts no second transfer inside the
// first, and the first goes on to its end.
TEST(WindowFieldTest, AClickOnAShownButtonWhileATransferRunsStartsNothing) {
    ScriptedWindow harness;
    bool buttonsShown = false;
    harness.window.answerFileDialogsWith(
        [&](const FileDialogRequest&) -> std::optional<std::string> {
            ++harness.fileDialogs;
            buttonsShown = harness.visible(ctl::kBtnUpdate) && harness.visible(ctl::kBtnLogSave);
            harness.button(ctl::kBtnUpdate)->click();
            harness.button(ctl::kBtnLogSave)->click();
            return std::nullopt;  // the first transfer's choice cancelled
        });

    harness.button(ctl::kBtnLogSave)->click();

    EXPECT_TRUE(buttonsShown);
    EXPECT_EQ(harness.fileDialogs, 1) << "a second transfer chose its files";
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_FALSE(harness.logic.PortOpen());
    expectLayout(harness, layout::kIdle);

    harness.button(ctl::kBtnUpdate)->click();  // once the first has ended, a click counts
    EXPECT_EQ(harness.fileDialogs, 2);
}

// While LOG SAVE runs the window shows its state; the Cancel button, clicked
// inside the running transfer's handler, must still reach the logic, and the
// window stays open for the next transfer.
TEST(WindowFieldTest, LogSaveShowsItsStateAndCancelStopsItWhileTheWindowStays) {
    ScriptedWindow harness;
    QTimer::singleShot(0, [&] {  // in the handshake's first pump
        expectLayout(harness, layout::kLogSave);
        EXPECT_EQ(harness.window.ControlText(ctl::kStaticTitle), txt::kTitleLogSave);
        EXPECT_EQ(harness.window.ControlText(ctl::kStaticInfo), TempPath("field_1.csv"));
        saveScreenshot(harness.window, "log-save.png");
        harness.button(ctl::kBtnCancel)->click();
    });
    bool stillRunning = false;  // the logger stays silent: without the stop it waits on
    QTimer::singleShot(2000, &harness.window, [&] {
        stillRunning = harness.visible(ctl::kBtnCancel);
        harness.window.close();
    });
    harness.button(ctl::kBtnLogSave)->click();

    EXPECT_FALSE(stillRunning) << "Cancel did not stop the transfer";
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_TRUE(harness.window.isVisible());
    EXPECT_FALSE(harness.logic.CancelRequested());
    expectLayout(harness, layout::kIdle);
}

// The close box pressed while the transfer waits 10 s for a silent logger
// reaches the window only once the result's box is up, which blocks it: the
// window system dropped the close and the window stayed open.
TEST(WindowFieldTest, CloseDuringASilentWaitClosesTheWindowAfterTheResult) {
    ScriptedWindow harness;
    harness.window.answerMessageBoxesWith(nullptr);  // a real, modal box
    harness.device->replies = {"OK00\r\n"};          // to DSTA,1; then silence
    harness.logicClock.duringNextSleep = [&] {
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            harness.window.windowHandle());
    };
    QString boxText;
    bool openWhileBoxShown = false;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        QCoreApplication::processEvents();  // whatever the window system still holds
        boxText = box->text();
        openWhileBoxShown = harness.window.isVisible();
        box->accept();
    });
    dismiss.start(5);

    harness.button(ctl::kBtnLogSave)->click();

    // The waits keep the window's events flowing: the close stops the
    // transfer at once (no result box), the frame finishes, then it closes.
    EXPECT_TRUE(boxText.isEmpty()) << boxText.toStdString();
    EXPECT_FALSE(openWhileBoxShown);
    EXPECT_TRUE(harness.logic.CancelRequested());
    EXPECT_FALSE(harness.window.isVisible()) << "the close was lost";
    EXPECT_EQ(harness.window.result(), IDCANCEL);
    EXPECT_FALSE(harness.window.timerRunning(kPortPollTimerId)) << "OnDestroy not told";
}

// Each text measured against its control: a button's text with the style's
// margins on both sides, a label's against its inside.
TEST(WindowFieldTest, EveryTextFitsItsControl) {
    WindowHarness harness({"/dev/ttyUSB0"}, true);
    const QStyle* style = harness.window.style();
    const int buttonMargins = 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate, ctl::kPortGroup}) {
        const QWidget* control = harness.window.control(id);
        const QString text = harness.shownText(id);
        EXPECT_LE(control->fontMetrics().horizontalAdvance(text) + buttonMargins, control->width())
            << text.toStdString();
    }
    const std::pair<int, QString> labelTexts[] = {
        {ctl::kStaticTitle, displayText(txt::kTitleLogSave)},
        {ctl::kStaticTitle, displayText(txt::kTitleModelSave)},
        {ctl::kStaticTitle, displayText(txt::kTitleUpdate)},
        {ctl::kStaticPercent, QStringLiteral("100%")},
        {ctl::kStaticPort, QStringLiteral("ttyUSB0")},
    };
    for (const auto& [id, text] : labelTexts) {
        const QWidget* label = harness.window.control(id);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width())
            << text.toStdString();
    }
    auto* combo = qobject_cast<PortComboBox*>(harness.window.control(ctl::kComboPort));
    EXPECT_TRUE(combo->hasRoomFor(QStringLiteral("ttyUSB0")));
}

}  // namespace
