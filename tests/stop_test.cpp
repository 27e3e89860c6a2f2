// A stop takes effect within 0.2 s wherever the transfer waits, along the
// transfer's cancel path, and the window stays alive meanwhile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/texts.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/platform_names.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kAck = "OK00\r\n";
constexpr std::int64_t kStopWithinMs = 200;
constexpr std::int64_t kStartMs = 1'000'500;  // the fake clock's start

long Count(const std::vector<std::string>& written, const std::string& command) {
    return std::count(written.begin(), written.end(), command);
}

// Raises the Cancel button's request once `when` holds, and notes the time.
struct StopRun : DlgHarness {
    explicit StopRun(bool modelSave = true) : DlgHarness({PortName(0)}, modelSave) {}
    void stopWhen(std::function<bool()> when) {
        platform.onPump = [this, when](int) {
            if (stoppedAtMs < 0 && when()) {
                stoppedAtMs = clock.monotonicMs();
                dlg.OnStopTransfer();
            }
        };
    }
    std::int64_t stoppedAtMs = -1;
};

TEST(Stop, InEveryWaitOfADownloadEndsAtOnceAndClosesTheConversation) {
    struct Case {
        const char* name;
        std::vector<std::string> replies;  // after the handshake's acknowledgement
        bool log;                          // LOG SAVE, else MODEL SAVE
    };
    const std::vector<Case> cases = {
        {"a silent lap record", {"OK00,0001,TEST\r\n", ""}, true},
        {"a silent model value", {"OK00,0001\r\n", ""}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StopRun run;
        const std::string lap = TempPath("stop_lap.csv"), log = TempPath("stop_log.csv");
        run.platform.fileAnswers = {lap, log};  // MODEL SAVE asks for the first only
        run.device->replies = {kAck};
        run.device->replies.insert(run.device->replies.end(), c.replies.begin(), c.replies.end());
        // DSTA, the first record's DRED, then the DRED whose reply never comes.
        run.stopWhen([&] { return run.device->written.size() == 3; });
        const TransferOutcome outcome = c.log ? run.dlg.OnLogSave() : run.dlg.OnModelSave();

        EXPECT_EQ(outcome, TransferOutcome::Cancelled);
        EXPECT_TRUE(run.messages().empty());
        ASSERT_EQ(run.device->written.size(), 6u);
        EXPECT_EQ(Count(run.device->written, "DEND\r\n"), 3);
        EXPECT_LE(run.device->writtenAtMs[3] + kStartMs - run.stoppedAtMs, kStopWithinMs);
        EXPECT_EQ(ReadFileBytes(lap), c.log ? "LOG NAME,D01,TEST\r\n" : "01\r\n");
        EXPECT_EQ(run.dlg.PartialFileNote(), lap + " holds only part of the data (1 record).");
        EXPECT_FALSE(run.platform.visible(ctl::kBtnCancel));
        EXPECT_TRUE(run.platform.visible(ctl::kBtnLogSave)) << "back in the idle layout";
    }
}

TEST(Stop, CancelButtonLeavesTheWindowReadyForTheNextTransfer) {
    StopRun run;
    const std::string path = TempPath("stop_again.csv");
    run.platform.fileAnswers = {path, path};
    run.stopWhen([&] { return run.clock.monotonicMs() > kStartMs + 2'500; });  // in the handshake
    EXPECT_EQ(run.dlg.OnModelSave(), TransferOutcome::Cancelled);
    EXPECT_EQ(Count(run.device->written, "DEND\r\n"), 0) << "no conversation was opened";
    EXPECT_FALSE(run.dlg.CancelRequested()) << "the window stays open";

    run.device->replies = {kAck, "OK00,0007\r\n", "OK01\r\n"};
    EXPECT_EQ(run.dlg.OnModelSave(), TransferOutcome::Completed);
    EXPECT_EQ(ReadFileBytes(path), "07\r\n");
}

struct UpdateStop : StopRun {
    UpdateStop() : StopRun(false) {
        platform.fileAnswers = {WriteFileBytes("stop.dat", "S0\r\nS2140000000123ABCD00\r\nS9\r\n")};
        device->replies = {kAck, kAck, kAck, kAck, "OK00,1.04\r\n", kAck, kAck, kAck, kAck};
    }
    // Once SUPC is taken, in the 5 s pause before the start.
    void stopInThePause() {
        stopWhen([this] {
            return device->written.size() == 3 && clock.monotonicMs() > kStartMs + 4'000;
        });
    }
};

TEST(Stop, OfABegunUpdateIsConfirmedFirst) {
    UpdateStop no;  // asked in the 5 s pause; No carries on at once
    no.platform.yesAnswer = false;
    no.stopInThePause();
    EXPECT_EQ(no.dlg.OnSoftwareUpdate(), TransferOutcome::Completed);
    EXPECT_EQ(no.platform.questions, std::vector<std::string>{txt::kConfirmUpdateStop});
    EXPECT_EQ(no.device->written.back(), "SUPE\r\n");

    UpdateStop yes;
    yes.stopInThePause();
    EXPECT_EQ(yes.dlg.OnSoftwareUpdate(), TransferOutcome::Cancelled);
    EXPECT_TRUE(yes.messages().empty());
    EXPECT_EQ(yes.device->written.back(), "SUPC\r\n") << "stopped in the pause, before the start";
    EXPECT_LE(yes.clock.monotonicMs() - yes.stoppedAtMs, kStopWithinMs);

    UpdateStop starting;  // the start refused, each attempt waiting 10 s
    starting.device->replies = {kAck, kAck, kAck, ""};
    starting.stopWhen([&] { return starting.device->written.size() == 4; });
    EXPECT_EQ(starting.dlg.OnSoftwareUpdate(), TransferOutcome::Cancelled);
    EXPECT_EQ(Count(starting.device->written, "SUPS\r\n"), 1);
    EXPECT_LE(starting.clock.monotonicMs() - starting.stoppedAtMs, kStopWithinMs);
}

TEST(Stop, SilentLoggerIsSaidInTheInfoLineUntilItAnswers) {
    StopRun run;
    const std::string path = TempPath("waiting.csv");
    run.platform.fileAnswers = {path};
    run.device->replies = {"NG00\r\n", "NG00\r\n", "NG00\r\n", "NG00\r\n", kAck, "OK01\r\n"};
    run.dlg.OnModelSave();
    const std::vector<std::string>& shown = run.platform.textHistory[ctl::kStaticInfo];
    const auto waiting = std::find(shown.begin(), shown.end(), txt::kWaitingForLogger);
    ASSERT_NE(waiting, shown.end());
    EXPECT_EQ(*(waiting + 1), path) << "the path comes back once the logger answers";
    EXPECT_EQ(run.messages().back().text, "Completed to receive data!!");
}

}  // namespace
