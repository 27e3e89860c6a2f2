// The window's logic through the real window on a scripted port: the port
// choice as the scan changes, the file choices, the frame around a transfer,
// and what the window shows of a transfer and its result.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <stdexcept>

#include "app/control_ids.h"
#include "app/qt/port_combo_box.h"
#include "app/texts.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/gui/window_harness.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kAck = "OK00\r\n";

// Runs `look` at every pump of the window while a handler runs.
struct EveryPump {
    explicit EveryPump(std::function<void()> look) {
        QObject::connect(&timer, &QTimer::timeout, std::move(look));
        timer.start(0);
    }
    QTimer timer;
};

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
    EXPECT_EQ(harness.window.ComboSelectedText(), "/dev/ttyUSB3");
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
    std::deque<std::optional<std::string>> answers = {
        lap, lap + "/../" + std::filesystem::path(lap).filename().string(), link, std::nullopt};
    std::vector<std::string> proposed;
    harness.window.answerFileDialogsWith([&](const FileDialogRequest& request) {
        proposed.push_back(request.initialName);
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    });
    harness.click(ctl::kBtnLogSave);
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
    harness.click(ctl::kBtnLogSave);
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    EXPECT_EQ(harness.window.shownMessageBoxes()[0].detail, "disk gone");
    EXPECT_FALSE(harness.logic.PortOpen());
    expectLayout(harness, layout::kIdle);
}

// The info line says so while the logger is silent and shows the file again
// once it answers; the wait cursor shows during the records; the result's
// box names the partial file; then the window is idle with the port closed.
TEST(WindowLogicTest, ShowsATransferAndItsResult) {
    ScriptedWindow harness(true);
    harness.device->replies = {"NG00\r\n", "NG00\r\n", "NG00\r\n",
                               "NG00\r\n", kAck,       "OK00,0001\r\n"};  // then silence
    std::vector<std::string> infos;
    bool waitCursor = false;
    EveryPump look([&] {
        const std::string info = harness.window.ControlText(ctl::kStaticInfo);
        if (harness.visible(ctl::kStaticInfo) && (infos.empty() || infos.back() != info)) {
            infos.push_back(info);
        }
        const QCursor* cursor = QApplication::overrideCursor();
        waitCursor |= cursor != nullptr && cursor->shape() == Qt::WaitCursor;
    });
    harness.click(ctl::kBtnModelSave);

    const std::string path = TempPath("field_1.csv");
    EXPECT_EQ(infos, (std::vector<std::string>{path, txt::kWaitingForLogger, path}));
    EXPECT_TRUE(waitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes()[0];
    EXPECT_EQ(box.text, "Failed to receive data.");
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(box.detail, path + " holds only part of the data (1 record).");
    EXPECT_FALSE(harness.logic.PortOpen());
    EXPECT_TRUE(harness.visible(ctl::kBtnModelSave));
    EXPECT_FALSE(harness.visible(ctl::kBtnCancel));
}

// After Cancel the window says which file holds part of the data; a stop
// that leaves none (as in the handshake) says nothing.
TEST(WindowLogicTest, StopThatLeavesAPartialFileSaysWhich) {
    ScriptedWindow harness(true);
    harness.device->replies = {kAck, "OK00,0001\r\n"};  // then silence
    EveryPump look([&] {
        if (harness.device->written.size() == 3 && harness.visible(ctl::kBtnCancel)) {
            harness.button(ctl::kBtnCancel)->click();
        }
    });
    harness.click(ctl::kBtnModelSave);
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes()[0];
    EXPECT_EQ(box.text, "MODEL SAVE stopped.");
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.detail, TempPath("field_1.csv") + " holds only part of the data (1 record).");
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
        harness.click(ctl::kBtnUpdate);
        EXPECT_EQ(questions, std::vector<std::string>{txt::kConfirmUpdateStop});
        EXPECT_EQ(harness.device->written.back(), yes ? "SUPC\r\n" : "SUPE\r\n");
        EXPECT_EQ(harness.window.shownMessageBoxes().size(), yes ? 0u : 1u);
        EXPECT_TRUE(harness.window.isVisible());
    }
}

}  // namespace
