// The main window's logic on the fake window system: which port it uses, the
// file dialogs, and how it tidies up after a transfer that did not start or broke.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "app/texts.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/platform_names.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;

// Each tick used to empty and refill the box, so Down then Enter in an open
// list picked another port than the one highlighted: a tick leaves an open
// list and an unchanged scan alone, and keeps the user's choice while present.
TEST(DatadockDlg, Refill_KeepsTheUsersChoiceAndLeavesAnOpenListAlone) {
    DlgHarness h({PortName(1), PortName(10), PortName(3)});
    EXPECT_EQ(h.platform.timers.at(kPortPollTimerId), 1000);
    EXPECT_THAT(h.platform.combo.items, ElementsAre(PortName(1), PortName(10), PortName(3)));
    h.platform.ComboSelectIndex(2);
    const int repaints = h.platform.repaints;
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.repaints, repaints) << "an unchanged scan touches nothing";

    h.ports.push_back(PortName(4));
    h.platform.comboListOpen = true;
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboCount(), 3);
    h.platform.comboListOpen = false;
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboCount(), 4);
    EXPECT_EQ(h.dlg.ConnectPort(), 1);
    EXPECT_EQ(h.device->openedName, PortName(3)) << "the port the user chose is opened";
    h.dlg.RestoreMainLayout();

    h.ports = {PortName(1), PortName(10), PortName(12)};
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboSelectedText(), PortName(1));
}

TEST(DatadockDlg, Timer_LeavesThePortGroupAloneWhileThePortIsOpen) {
    DlgHarness h({PortName(5)});
    ASSERT_EQ(h.dlg.ConnectPort(), 1);
    EXPECT_EQ(h.device->openedName, PortName(5)) << "a single port is taken from the label";
    h.ports = {};
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.text(ctl::kStaticPort), PortName(5));
    h.dlg.RestoreMainLayout();
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.text(ctl::kStaticPort), "-----");
}

TEST(DatadockDlg, NotConnected_ForARefusedOpen_SaysWhyAndChangesNothing) {
    DlgHarness busy;
    busy.device->failOpen = true;
    busy.dlg.OnSoftwareUpdate();
    ASSERT_EQ(busy.messages().size(), 1u);
    EXPECT_EQ(busy.messages()[0].text, "Not connected.");
    EXPECT_NE(busy.messages()[0].detail.find("Device or resource busy"), std::string::npos);
    EXPECT_FALSE(busy.dlg.PortOpen());
    EXPECT_TRUE(busy.platform.fileRequests.empty());
}

TEST(DatadockDlg, CancelledFileDialog_ClosesThePortAgainAndKeepsTheIdleLayout) {
    for (auto handler :
         {&CDatadockDlg::OnLogSave, &CDatadockDlg::OnModelSave, &CDatadockDlg::OnSoftwareUpdate}) {
        DlgHarness h({PortName(0)}, true);
        (h.dlg.*handler)();
        EXPECT_FALSE(h.dlg.PortOpen());
        EXPECT_TRUE(h.device->written.empty());
        EXPECT_TRUE(h.messages().empty());
        EXPECT_TRUE(h.platform.visible(ctl::kBtnLogSave));
        EXPECT_FALSE(h.platform.visible(ctl::kProgress));
    }
}

TEST(DatadockDlg, LogSaveFileDialogs_AskForLapThenLogAndRefuseTheLapFileUnderAnyName) {
    DlgHarness h;
    const std::string lap = WriteFileBytes("dialog_lap.csv", "old lap data\r\n");
    const std::string link = TempPath("dialog_link.csv");
    std::filesystem::remove(link);
    std::filesystem::create_hard_link(lap, link);
    h.platform.fileAnswers = {lap, lap + "/../" + std::filesystem::path(lap).filename().string(),
                              link, std::nullopt};
    h.dlg.OnLogSave();
    ASSERT_EQ(h.platform.fileRequests.size(), 4u);
    EXPECT_EQ(h.platform.fileRequests[0].initialName, "_lap");
    EXPECT_EQ(h.platform.fileRequests[1].initialName, "_log");
    ASSERT_EQ(h.messages().size(), 2u) << "each name of the lap file refused, then a cancel";
    EXPECT_EQ(h.messages()[1].text, "The log file must not be the lap file.");
    EXPECT_TRUE(h.device->written.empty());
}

TEST(DatadockDlg, UnforeseenFailureInATransfer_StillRestoresTheWindowAndClosesThePort) {
    DlgHarness h;
    h.platform.fileAnswers = {WriteFileBytes("frame.dat", "a\r\nb\r\n")};
    h.platform.onPump = [](int) { throw std::runtime_error("unforeseen"); };
    EXPECT_THROW(h.dlg.OnSoftwareUpdate(), std::runtime_error);
    EXPECT_FALSE(h.dlg.PortOpen());
    EXPECT_TRUE(h.platform.visible(ctl::kBtnUpdate));
    EXPECT_FALSE(h.platform.visible(ctl::kProgress));
}

// Whatever the window lets through, a second transfer never starts inside
// the first: it would reopen the port in use and stall the first.
TEST(DatadockDlg, AClickDuringATransferDoesNothing) {
    DlgHarness h;
    h.platform.fileAnswers = {TempPath("nested_model.csv")};
    bool innerIgnored = false;
    h.platform.onPump = [&](int) {
        innerIgnored = !h.dlg.OnLogSave().has_value();
        h.dlg.OnCancel();
    };
    EXPECT_EQ(h.dlg.OnModelSave(), TransferOutcome::Cancelled);
    EXPECT_TRUE(innerIgnored);
    EXPECT_EQ(h.platform.fileRequests.size(), 1u);
    EXPECT_TRUE(h.messages().empty());
    EXPECT_FALSE(h.device->isOpen);
}

// The window shows the running transfer: its layout and file, the logger's
// silence and back, the wait cursor, and the result with its icon, reason and
// partial file; then it is idle again with the port closed.
TEST(DatadockDlg, ShowsATransferAndItsResult) {
    DlgHarness h({PortName(0)}, true);
    const std::string path = TempPath("shown_model.csv");
    h.platform.fileAnswers = {path};
    h.device->replies = {"NG00\r\n", "NG00\r\n", "NG00\r\n", "NG00\r\n", "OK00\r\n",
                         "OK00,0001\r\n", ""};  // then silence
    bool busyDuringRecords = false;
    h.platform.onPump = [&](int) { busyDuringRecords |= h.platform.waitCursorDepth > 0; };
    EXPECT_EQ(h.dlg.OnModelSave(), TransferOutcome::Failed);
    EXPECT_EQ(h.platform.textHistory[ctl::kStaticTitle].back(), txt::kTitleModelSave);
    EXPECT_EQ(h.platform.textHistory[ctl::kStaticInfo],
              (std::vector<std::string>{path, txt::kWaitingForLogger, path}));
    EXPECT_TRUE(busyDuringRecords);
    EXPECT_EQ(h.platform.waitCursorDepth, 0);
    ASSERT_EQ(h.messages().size(), 1u);
    EXPECT_EQ(h.messages()[0].text, "Failed to receive data.");
    EXPECT_EQ(h.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(h.messages()[0].detail, path + " holds only part of the data (1 record).");
    EXPECT_TRUE(h.platform.visible(ctl::kBtnModelSave));
    EXPECT_FALSE(h.platform.visible(ctl::kBtnCancel));
    EXPECT_FALSE(h.dlg.PortOpen());
}

// Stopping an update the logger has begun asks first; No carries on, Yes
// stops it, and the Cancel button leaves the window open for the next one.
TEST(DatadockDlg, StopOfABegunUpdateIsConfirmedFirst) {
    for (const bool yes : {false, true}) {
        DlgHarness h;
        h.platform.fileAnswers = {WriteFileBytes("ask.dat", "S0\r\nS2140000000123ABCD00\r\n")};
        h.device->replies = {"OK00\r\n", "OK00\r\n", "OK00\r\n", "OK00\r\n", "OK00,1.04\r\n",
                             "OK00\r\n", "OK00\r\n", "OK00\r\n"};
        h.platform.yesAnswer = yes;
        h.platform.onPump = [&](int) {
            if (h.device->written.size() == 3 && h.platform.questions.empty()) {
                h.dlg.OnStopTransfer();  // in the pause before the start
            }
        };
        const auto outcome = h.dlg.OnSoftwareUpdate();
        EXPECT_EQ(h.platform.questions, std::vector<std::string>{txt::kConfirmUpdateStop});
        EXPECT_EQ(outcome, yes ? TransferOutcome::Cancelled : TransferOutcome::Completed);
        EXPECT_EQ(h.device->written.back(), yes ? "SUPC\r\n" : "SUPE\r\n");
        EXPECT_FALSE(h.dlg.CancelRequested()) << "the window stays open";
    }
}

}  // namespace
