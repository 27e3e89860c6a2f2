// The window's logic where users caught it out: the port choice refilled
// under the user's hand, and a click arriving while a transfer runs.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/platform_names.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"

namespace {

// Down then Enter in an open list picked another port than the one
// highlighted, because each tick emptied and refilled the box; a tick that
// finds the same ports had no business touching the controls at all.
TEST(PortRefillTest, LeavesAnOpenListAndAnUnchangedScanAlone) {
    DlgHarness h({PortName(0), PortName(1)});
    h.platform.ComboSelectIndex(1);
    const int repaints = h.platform.repaints;
    const auto texts = h.platform.textHistory;

    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.repaints, repaints);
    EXPECT_EQ(h.platform.textHistory, texts);

    h.ports = {PortName(0), PortName(1), PortName(2)};
    h.platform.comboListOpen = true;
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboItems(), (std::vector<std::string>{PortName(0), PortName(1)}));
    EXPECT_EQ(h.platform.repaints, repaints);

    h.platform.comboListOpen = false;
    h.dlg.OnTimer(kPortPollTimerId);
    EXPECT_EQ(h.platform.ComboItems(),
              (std::vector<std::string>{PortName(0), PortName(1), PortName(2)}));
    EXPECT_EQ(h.platform.ComboSelectedText(), PortName(1)) << "the user's choice stays";
}

// Whatever the window lets through, a second transfer never starts inside
// the first: it would reopen the port in use and stall the first.
TEST(TransferFrameTest, AClickDuringATransferDoesNothing) {
    DlgHarness h;
    h.platform.fileAnswers = {TempPath("field_model.csv")};
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
