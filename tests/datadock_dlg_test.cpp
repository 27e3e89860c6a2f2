// The main window's logic on the fake window system: which port it uses, the
// file dialogs, and how it tidies up after a transfer that did not start or broke.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/platform_names.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;

TEST(DatadockDlg, Refill_KeepsTheUsersChoiceWhilePresentElseTakesTheFirst) {
    DlgHarness h({"COM1", "COM10", "COM3"});
    EXPECT_EQ(h.platform.timers.at(kPortPollTimerId), 1000);
    EXPECT_THAT(h.platform.combo.items, ElementsAre("COM1", "COM10", "COM3"));
    h.platform.ComboSelectIndex(2);
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboSelectedText(), "COM3");

    h.ports = {"COM1", "COM10", "COM12"};
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboSelectedText(), "COM1");
}

TEST(DatadockDlg, Timer_LeavesThePortGroupAloneWhileThePortIsOpen) {
    DlgHarness h({PortName(0)});
    ASSERT_EQ(h.dlg.ConnectPort(), 1);
    h.ports = {};
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.text(ctl::kStaticPort), PortName(0));
    h.dlg.RestoreMainLayout();
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.text(ctl::kStaticPort), "-----");
}

TEST(DatadockDlg, ConnectPort_UsesTheLabelForOnePortAndTheComboForTwo) {
    DlgHarness one({PortName(5)});
    EXPECT_FALSE(one.platform.visible(ctl::kComboPort));
    EXPECT_EQ(one.dlg.ConnectPort(), 1);
    EXPECT_EQ(one.device->openedName, PortName(5));

    DlgHarness two({PortName(3), PortName(4)});
    two.platform.ComboSelectIndex(1);
    EXPECT_EQ(two.dlg.ConnectPort(), 1);
    EXPECT_EQ(two.device->openedName, PortName(4));
}

TEST(DatadockDlg, NotConnected_ForARefusedOpen_SaysWhyAndChangesNothing) {
    DlgHarness busy({PortName(0)});
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
        EXPECT_EQ(h.dlg.m_pLapFileDialog, nullptr);
        for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate}) {
            EXPECT_TRUE(h.platform.visible(id)) << id;
        }
        for (int id : {ctl::kProgress, ctl::kGroupTransfer, ctl::kStaticTitle, ctl::kStaticInfo,
                       ctl::kStaticPercent}) {
            EXPECT_FALSE(h.platform.visible(id)) << id;
        }
    }
}

TEST(DatadockDlg, LogSaveFileDialogs_AskForLapThenLogAndRefuseTheSamePathTwice) {
    DlgHarness h;
    h.platform.fileAnswers = {"/tmp/a.csv", "/tmp/../tmp/a.csv", std::nullopt};
    h.dlg.OnLogSave();
    ASSERT_EQ(h.platform.fileRequests.size(), 3u);
    EXPECT_EQ(h.platform.fileRequests[0].initialName, "_lap");
    EXPECT_EQ(h.platform.fileRequests[1].initialName, "_log");
    EXPECT_EQ(h.platform.fileRequests[0].filter, "CSV(*.csv)|*.csv||");
    EXPECT_EQ(h.platform.fileRequests[0].defaultExtension, "csv");
    EXPECT_FALSE(h.platform.fileRequests[0].openForReading);
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

}  // namespace
