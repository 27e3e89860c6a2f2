// The main window's logic on the fake window system: which port it uses, the
// file dialogs, and how it tidies up after a transfer that did not start or broke.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
    EXPECT_FALSE(busy.dlg.m_pSerial->IsOpen());
    EXPECT_TRUE(busy.platform.fileRequests.empty());
}

TEST(DatadockDlg, CancelledFileDialog_ClosesThePortAgainAndKeepsTheIdleLayout) {
    for (auto handler :
         {&CDatadockDlg::OnLogSave, &CDatadockDlg::OnModelSave, &CDatadockDlg::OnSoftwareUpdate}) {
        DlgHarness h({PortName(0)}, true);
        (h.dlg.*handler)();
        EXPECT_FALSE(h.dlg.m_pSerial->IsOpen());
        EXPECT_TRUE(h.device->written.empty());
        EXPECT_TRUE(h.messages().empty());
        EXPECT_EQ(h.dlg.m_pFileDialog, nullptr);
        EXPECT_TRUE(h.platform.visible(ctl::kBtnLogSave));
        EXPECT_FALSE(h.platform.visible(ctl::kProgress));
    }
}

TEST(DatadockDlg, LogSaveFileDialogs_AskForLapThenLogAndRefuseTheSamePathTwice) {
    DlgHarness h;
    h.platform.fileAnswers = {"/tmp/a.csv", "/tmp/../tmp/a.csv", std::nullopt};
    h.dlg.OnLogSave();
    ASSERT_EQ(h.platform.fileRequests.size(), 3u);
    EXPECT_EQ(h.platform.fileRequests[0].initialName, "_lap");
    EXPECT_EQ(h.platform.fileRequests[1].initialName, "_log");
    ASSERT_EQ(h.messages().size(), 1u) << "the same path is refused once, then the user cancels";
    EXPECT_TRUE(h.device->written.empty());
}

TEST(DatadockDlg, UnforeseenFailureInATransfer_StillRestoresTheWindowAndClosesThePort) {
    DlgHarness h;
    h.platform.fileAnswers = {WriteFileBytes("frame.dat", "a\r\nb\r\n")};
    h.platform.onPump = [](int) { throw std::runtime_error("unforeseen"); };
    EXPECT_THROW(h.dlg.OnSoftwareUpdate(), std::runtime_error);
    EXPECT_FALSE(h.dlg.m_pSerial->IsOpen());
    EXPECT_EQ(h.dlg.m_pFileDialog, nullptr);
    EXPECT_TRUE(h.platform.visible(ctl::kBtnUpdate));
    EXPECT_FALSE(h.platform.visible(ctl::kProgress));
}

// Whatever the window lets through, a second transfer never starts inside
// the first: it would reopen the port in use and stall the first.
TEST(DatadockDlg, AClickDuringATransferDoesNothing) {
    DlgHarness h;
    h.platform.fileAnswers = {TempPath("nested_model.csv")};
    std::optional<TransferOutcome> inner;
    h.platform.onPump = [&](int) {
        inner = h.dlg.OnLogSave();
        h.dlg.OnCancel();
    };
    EXPECT_EQ(h.dlg.OnModelSave(), TransferOutcome::Cancelled);
    EXPECT_EQ(inner, TransferOutcome::Cancelled);
    EXPECT_EQ(h.platform.fileRequests.size(), 1u);
    EXPECT_TRUE(h.messages().empty());
    EXPECT_FALSE(h.device->isOpen);
}

}  // namespace
