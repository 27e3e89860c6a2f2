// The window and its logic during real transfers on a scripted port: the
// port choice as the scan changes, the file choices, the frame around a
// transfer, its state and result, Cancel, keys aimed at hidden buttons, a
// close during a silent wait; and texts that must show whole.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "app/control_ids.h"
#include "app/main_dialog_template.h"
#include "app/qt/control_text.h"
#include "app/qt/port_combo_box.h"
#include "app/texts.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/gui/qt_printers.h"
#include "tests/gui/screenshot.h"
#include "tests/gui/window_harness.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kAck = "OK00\r\n";

// A click while a transfer runs starts nothing: on a button still shown while
// its files are chosen, or a key or click aimed at a hidden button once it
// talks to the logger (with one port nothing else takes the focus from the
// button that started it). Esc closes only once the handler returns, and a
// stray Enter after it does not turn the cancel into OK.
TEST(WindowFieldTest, ClicksAndKeysWhileATransferRunsStartNothing) {
    ScriptedWindow harness;
    bool buttonsShown = false;
    harness.window.answerFileDialogsWith([&](const FileDialogRequest&) {
        if (++harness.fileDialogs == 1) {
            buttonsShown = harness.visible(ctl::kBtnUpdate);
            harness.button(ctl::kBtnUpdate)->click();
            harness.button(ctl::kBtnLogSave)->click();
        }
        return std::optional(TempPath("field_" + std::to_string(harness.fileDialogs) + ".csv"));
    });
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

    EXPECT_TRUE(buttonsShown);
    EXPECT_FALSE(focusOnHiddenControl);
    EXPECT_TRUE(windowOpenInsideHandler);
    EXPECT_EQ(harness.fileDialogs, 2) << "only the first LOG SAVE chose its files";
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_FALSE(harness.window.isVisible());
    EXPECT_EQ(harness.window.result(), IDCANCEL);
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
    EveryPump dismiss([&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            box->accept();
        }
    });

    harness.button(ctl::kBtnLogSave)->click();

    // The waits keep the window's events flowing: the close stops the
    // transfer at once (no result box), the frame finishes, then it closes.
    EXPECT_TRUE(boxText.isEmpty()) << boxText.toStdString();
    EXPECT_TRUE(harness.logic.CancelRequested());
    EXPECT_FALSE(harness.window.isVisible()) << "the close was lost";
    EXPECT_EQ(harness.window.result(), IDCANCEL);
    EXPECT_FALSE(harness.window.timerRunning(kPortPollTimerId)) << "OnDestroy not told";
}

// Whether the control shows the text whole: a button's or a frame's with the
// style's margins on both sides, a label's within its inside, the port box's
// beside its arrow.
bool fitsControl(const QWidget* control, ControlKind kind, const QString& text) {
    if (kind == ControlKind::DropDownList) {
        return qobject_cast<const PortComboBox*>(control)->hasRoomFor(text);
    }
    if (kind == ControlKind::Label) {
        return control->fontMetrics().horizontalAdvance(text) <= control->contentsRect().width();
    }
    const int margins = 2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin);
    return control->fontMetrics().horizontalAdvance(text) + margins <= control->width();
}

// Every text of the window measured against its control in either language,
// with the font the window got; tests/gui/CMakeLists.txt runs it again at
// 200 % scale. In Japanese Cancel is translated, the product's names are not.
TEST(WindowFieldTest, EveryTextFitsItsControlInEitherLanguage) {
    for (const bool japanese : {false, true}) {
        std::optional<InJapanese> language;
        if (japanese) {
            language.emplace();
        }
        WindowHarness harness({"/dev/ttyUSB0"}, true);
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
            EXPECT_EQ(harness.window.devicePixelRatio(),
                      qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        }
        for (const TextToFit& each : mainDialogTextsToFit()) {
            const QString text = displayText(each.text);
            if (each.kind == ControlKind::PushButton || each.kind == ControlKind::GroupBox) {
                EXPECT_EQ(harness.shownText(each.id), text);
            }
            EXPECT_TRUE(fitsControl(harness.window.control(each.id), each.kind, text))
                << text.toStdString() << (japanese ? " in Japanese" : "");
        }
        EXPECT_EQ(harness.shownText(ctl::kBtnCancel),
                  japanese ? QString::fromUtf8("キャンセル") : QStringLiteral("Cancel"));
        EXPECT_EQ(harness.shownText(ctl::kBtnLogSave), displayText(txt::kBtnLogSave));
        if (japanese) {
            saveScreenshot(harness.window, QStringLiteral("ja-idle.png"));
        }
    }
}

// In Japanese, a LOG SAVE the logger leaves silent: the info line says so in
// Japanese within its lines, and the result's box is Japanese, its text whole.
TEST(WindowFieldTest, InJapaneseTheTransferAndItsResultShowWhole) {
    const InJapanese japanese;
    ScriptedWindow harness;
    harness.window.answerMessageBoxesWith(nullptr);  // a real, modal box
    harness.device->replies = {"NG00\r\n", "NG00\r\n", "NG00\r\n",
                               "NG00\r\n", kAck,       "OK00,0001,X\r\n"};  // then silence
    bool silenceShown = false;
    QString boxText;
    EveryPump look([&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            EXPECT_GE(label->height(), label->heightForWidth(label->width()));
            saveScreenshot(*box, QStringLiteral("ja-message-box.png"));
            box->accept();
        } else if (!silenceShown && harness.window.ControlText(ctl::kStaticInfo) ==
                                        translated(txt::kWaitingForLogger)) {
            silenceShown = true;
            const auto* info = qobject_cast<QLabel*>(harness.window.control(ctl::kStaticInfo));
            const QRect room = info->contentsRect();
            EXPECT_LE(
                info->fontMetrics().boundingRect(room, Qt::TextWordWrap, info->text()).height(),
                room.height());
            EXPECT_EQ(harness.shownText(ctl::kBtnCancel), QString::fromUtf8("キャンセル"));
            EXPECT_EQ(harness.shownText(ctl::kStaticTitle), displayText(txt::kTitleLogSave));
            saveScreenshot(harness.window, QStringLiteral("ja-log-save.png"));
        }
    });
    harness.button(ctl::kBtnLogSave)->click();
    EXPECT_TRUE(silenceShown);
    EXPECT_EQ(boxText, QString::fromUtf8("データを受信できませんでした。"));
}

// Each tick used to empty and refill the box, so Down then Enter in an open
// list picked another port than the one highlighted: a tick leaves an open
// list and an unchanged scan alone, and keeps the user's choice while present,
// the last entry of the list too.
TEST(WindowLogicTest, PortRefillKeepsTheUsersChoiceAndLeavesAnOpenListAlone) {
    ScriptedWindow harness;
    harness.ports = {"/dev/ttyUSB1", "/dev/ttyUSB10", "/dev/ttyUSB3"};
    harness.logic.OnTimer(kPortPollTimerId);
    harness.window.ComboSelectIndex(2);  // the last: ttyUSB3, sorted as text
    auto* combo = qobject_cast<PortComboBox*>(harness.window.control(ctl::kComboPort));
    combo->showPopup();
    harness.ports.push_back("/dev/ttyUSB2");  // ttyUSB3 stays last
    harness.logic.OnTimer(kPortPollTimerId);
    EXPECT_EQ(harness.window.ComboCount(), 3) << "the open list was refilled";
    combo->hidePopup();
    harness.logic.OnTimer(kPortPollTimerId);
    EXPECT_EQ(harness.window.ComboCount(), 4);
    ASSERT_EQ(harness.logic.ConnectPort(), 1);
    EXPECT_EQ(harness.device->openedName, "/dev/ttyUSB3") << "the port the user chose is opened";

    // While the port is open the port group stays as it is; closed, it follows the scan.
    harness.ports = {};
    harness.logic.OnTimer(kPortPollTimerId);
    EXPECT_EQ(harness.window.ComboCount(), 4);
    harness.logic.RestoreMainLayout();
    harness.logic.OnTimer(kPortPollTimerId);
    EXPECT_EQ(harness.window.ControlText(ctl::kStaticPort), "-----");
}

TEST(WindowLogicTest, LogSaveAsksForLapThenLogAndRefusesTheLapFileUnderAnyName) {
    ScriptedWindow harness;
    const std::string lap = WriteFileBytes("dialog_lap.csv", "old lap data\r\n");
    const std::string link = TempPath("dialog_link.csv");
    std::filesystem::remove(link);
    std::filesystem::create_hard_link(lap, link);
    const std::optional<std::string> answers[] = {
        lap, lap + "/../" + std::filesystem::path(lap).filename().string(), link, std::nullopt};
    std::vector<std::string> proposed;
    harness.window.answerFileDialogsWith([&](const FileDialogRequest& request) {
        proposed.push_back(request.initialName);
        return answers[proposed.size() - 1];
    });
    harness.button(ctl::kBtnLogSave)->click();
    EXPECT_EQ(proposed, (std::vector<std::string>{"_lap", "_log", "_log", "_log"}));
    const auto& boxes = harness.window.shownMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u) << "each name of the lap file refused, then a cancel";
    EXPECT_EQ(boxes[1].text, "The log file must not be the lap file.");
    EXPECT_TRUE(harness.device->written.empty());
    EXPECT_EQ(ReadFileBytes(lap), "old lap data\r\n");
}

// Whatever is thrown inside the frame, the window is restored and the port
// closed before the failure is reported.
TEST(WindowLogicTest, UnforeseenFailureInATransferStillRestoresTheWindowAndClosesThePort) {
    ScriptedWindow harness;
    harness.window.answerFileDialogsWith(
        [](const FileDialogRequest&) -> std::optional<std::string> {
            throw std::runtime_error("disk gone");
        });
    harness.button(ctl::kBtnLogSave)->click();
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    EXPECT_EQ(harness.window.shownMessageBoxes()[0].icon, MessageIcon::Error);
    EXPECT_EQ(harness.window.shownMessageBoxes()[0].detail, "disk gone");
    EXPECT_TRUE(harness.window.isVisible());
    EXPECT_FALSE(harness.logic.PortOpen());
    expectLayout(harness, layout::kIdle);
}

// The info line says so while the logger is silent and shows the file again
// once it answers; the wait cursor shows during the records; the result's
// box names the partial file; then the window is idle with the port closed.
TEST(WindowLogicTest, ShowsATransferAndItsResult) {
    ScriptedWindow harness;
    harness.device->replies = {"NG00\r\n", "NG00\r\n", "NG00\r\n",
                               "NG00\r\n", kAck,       "OK00,0001,X\r\n"};  // then silence
    std::vector<std::string> infos;
    bool waitCursor = false;
    EveryPump look([&] {
        const std::string info = harness.window.ControlText(ctl::kStaticInfo);
        if (harness.visible(ctl::kStaticInfo) && (infos.empty() || infos.back() != info)) {
            if (infos.empty()) {
                expectLayout(harness, layout::kLogSave);
                EXPECT_EQ(harness.window.ControlText(ctl::kStaticTitle), txt::kTitleLogSave);
                saveScreenshot(harness.window, "log-save.png");
            }
            infos.push_back(info);
        }
        const QCursor* cursor = QApplication::overrideCursor();
        waitCursor |= cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    });
    harness.button(ctl::kBtnLogSave)->click();

    const std::string lap = TempPath("field_1.csv");
    EXPECT_EQ(infos, (std::vector<std::string>{lap, txt::kWaitingForLogger, lap}));
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes()[0];
    EXPECT_EQ(box.text, "Failed to receive data.");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.detail, lap + " holds only part of the data (1 record).");
    EXPECT_TRUE(box.viewable.empty()) << "only a saved log is offered to view";
    EXPECT_FALSE(harness.logic.PortOpen());
    expectLayout(harness, layout::kIdle);
}

// Cancel, clicked inside the running transfer's handler, stops it and the
// window stays open; it then says which file holds part of the data, and
// after a stop that leaves none (in the handshake) nothing.
TEST(WindowLogicTest, CancelStopsTheTransferAndSaysWhichFileHoldsPartOfTheData) {
    for (const std::size_t stopAtWrite : {1u, 3u}) {
        ScriptedWindow harness(true);
        harness.device->replies = {stopAtWrite == 1 ? "" : kAck, "OK00,0001\r\n"};
        EveryPump look([&] {
            if (harness.device->written.size() == stopAtWrite && harness.visible(ctl::kBtnCancel)) {
                harness.button(ctl::kBtnCancel)->click();
            }
        });
        harness.button(ctl::kBtnModelSave)->click();
        const auto& boxes = harness.window.shownMessageBoxes();
        EXPECT_TRUE(harness.window.isVisible());
        EXPECT_FALSE(harness.logic.CancelRequested());
        if (stopAtWrite == 1) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "MODEL SAVE stopped.");
        EXPECT_EQ(boxes[0].icon, MessageIcon::Information);
        EXPECT_EQ(boxes[0].detail,
                  TempPath("field_1.csv") + " holds only part of the data (1 record).");
    }
}

// Stopping an update the logger has begun asks first; No carries on, Yes
// stops it, and either way the window stays open.
TEST(WindowLogicTest, StopOfABegunUpdateIsConfirmedFirst) {
    for (const bool yes : {false, true}) {
        ScriptedWindow harness;
        const std::string file = WriteFileBytes("ask.dat", "S0\r\nS2140000000123ABCD00\r\n");
        harness.window.answerFileDialogsWith([&](const FileDialogRequest&) { return file; });
        harness.device->replies = {kAck, kAck, kAck, kAck, "OK00,1.04\r\n", kAck, kAck, kAck};
        std::vector<std::string> questions;
        harness.window.answerQuestionsWith([&](const std::string& question) {
            questions.push_back(question);
            return yes;
        });
        EveryPump look([&] {
            if (harness.device->written.size() == 3 && questions.empty()) {
                harness.button(ctl::kBtnCancel)->click();  // in the pause before the start
            }
        });
        harness.button(ctl::kBtnUpdate)->click();
        EXPECT_EQ(questions, std::vector<std::string>{txt::kConfirmUpdateStop});
        EXPECT_EQ(harness.device->written.back(), yes ? "SUPC\r\n" : "SUPE\r\n");
        EXPECT_EQ(harness.window.shownMessageBoxes().size(), yes ? 0u : 1u);
        EXPECT_TRUE(harness.window.isVisible());
    }
}

}  // namespace
