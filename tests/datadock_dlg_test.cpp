#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/texts.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;

const int kTransferControls[] = {ctl::kGroupTransfer, ctl::kStaticTitle, ctl::kStaticInfo,
                                 ctl::kStaticPercent};

void ExpectIdleLayout(const FakeDialogPlatform& p, bool modelSaveShown) {
    EXPECT_TRUE(p.visible(ctl::kBtnLogSave));
    EXPECT_TRUE(p.visible(ctl::kBtnUpdate));
    EXPECT_EQ(p.visible(ctl::kBtnModelSave), modelSaveShown);
    EXPECT_FALSE(p.visible(ctl::kProgress));
    for (int id : kTransferControls) {
        EXPECT_FALSE(p.visible(id)) << id;
    }
}

TEST(DatadockDlg, StartUp_ShowsIdleLayoutAndStartsThePortTimer) {
    DlgHarness plain;
    DlgHarness vardo(std::vector<std::string>{}, true);
    plain.dlg.RestoreMainLayout();
    vardo.dlg.RestoreMainLayout();
    ExpectIdleLayout(plain.platform, false);
    ExpectIdleLayout(vardo.platform, true);
    EXPECT_EQ(plain.platform.timers.at(kPortPollTimerId), 1000);
    EXPECT_TRUE(plain.platform.comboEnabled);
}

TEST(DatadockDlg, PortGroup_FollowsHowManyPortsArePresent) {
    DlgHarness none(std::vector<std::string>{});
    EXPECT_FALSE(none.platform.visible(ctl::kComboPort));
    EXPECT_TRUE(none.platform.visible(ctl::kStaticPort));
    EXPECT_EQ(none.platform.text(ctl::kStaticPort), "-----");

    DlgHarness one({PortName(5)});
    EXPECT_FALSE(one.platform.visible(ctl::kComboPort));
    EXPECT_EQ(one.platform.text(ctl::kStaticPort), PortName(5));

    DlgHarness two({PortName(3), PortName(12)});
    EXPECT_TRUE(two.platform.visible(ctl::kComboPort));
    EXPECT_FALSE(two.platform.visible(ctl::kStaticPort));
    EXPECT_THAT(two.platform.combo.items, ElementsAre(PortName(12), PortName(3)));
    EXPECT_EQ(two.platform.ComboSelectedText(), PortName(12));
}

TEST(DatadockDlg, Refill_KeepsTheUsersChoiceWhilePresentElseTakesTheFirst) {
    DlgHarness h({"COM1", "COM10", "COM3"});
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
    EXPECT_EQ(one.dlg.ConnectPort(), 1);
    EXPECT_EQ(one.device->openedName, PortName(5));

    DlgHarness two({PortName(3), PortName(4)});
    two.platform.ComboSelectIndex(1);
    EXPECT_EQ(two.dlg.ConnectPort(), 1);
    EXPECT_EQ(two.device->openedName, PortName(4));
}

TEST(DatadockDlg, NotConnected_ForNoPortAndARefusedOpen_SaysWhyAndChangesNothing) {
    DlgHarness none(std::vector<std::string>{});
    none.dlg.OnLogSave();
    ASSERT_EQ(none.messages().size(), 1u);
    EXPECT_EQ(none.messages()[0].text, "Not connected.");
    EXPECT_EQ(none.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(none.messages()[0].detail.empty());
    EXPECT_TRUE(none.platform.fileRequests.empty());

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
        ExpectIdleLayout(h.platform, true);
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

TEST(DatadockDlg, SystemTexts_HaveTheirExactBytes) {
    for (const char* title : {txt::kTitleLogSave, txt::kTitleModelSave, txt::kTitleUpdate}) {
        EXPECT_EQ(std::string(title).size(), 34u) << title;
    }
    EXPECT_EQ(std::string(txt::kBtnLogSave),
              "\x81\x40\x81\x40\x81\x40LOG SAVE" + std::string(23, ' ') + "KTR-90 \x81\xA8 PC");
    EXPECT_EQ(std::string(txt::kBtnUpdate), "\x81\x40\x81\x40\x81\x40SOFTWARE UPDATE" +
                                                std::string(9, ' ') + "PC \x81\xA8 KTR-90");
    EXPECT_EQ(std::string(txt::kBtnModelSave),
              "MODEL SAVE" + std::string(6, ' ') + "KTR-90 \x81\xA8 PC");
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
