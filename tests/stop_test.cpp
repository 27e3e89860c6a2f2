// A stop takes effect within 0.2 s wherever a transfer waits, along the
// transfer's cancel path, and whoever shows it is asked at every wait.
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/temp_files.h"
#include "tests/support/transfer_harness.h"

namespace {

const std::string kAck = "OK00\r\n";
constexpr std::int64_t kStopWithinMs = 200;
constexpr std::int64_t kStartMs = 1'000'500;  // the fake clock's start

// Asks the transfer to stop once `when` holds, and notes the time.
struct StopRun : TransferHarness {
    void stopWhen(std::function<bool()> when) {
        events.stopWhen = [this, when] {
            if (!when()) {
                return false;
            }
            stoppedAtMs = clock.monotonicMs();
            return true;
        };
    }
    std::int64_t stoppedAtMs = -1;
};

TEST(Stop, InEveryWaitOfADownloadEndsAtOnceAndClosesTheConversation) {
    for (const bool log : {true, false}) {
        SCOPED_TRACE(log ? "a silent lap record" : "a silent model value");
        StopRun run;
        const std::string lap = TempPath("stop_lap.csv"), logFile = TempPath("stop_log.csv");
        run.queue({kAck, log ? "OK00,0001,TEST\r\n" : "OK00,0001\r\n", ""});
        // DSTA, the first record's DRED, then the DRED whose reply never comes.
        run.stopWhen([&] { return run.device->written.size() == 3; });
        const TransferResult result = log ? run.logSave(lap, logFile) : run.modelSave(lap);

        EXPECT_EQ(result.outcome, TransferOutcome::Cancelled);
        EXPECT_EQ(result.message, "");
        ASSERT_EQ(run.device->written.size(), 6u);
        EXPECT_EQ(run.count("DEND\r\n"), 3);
        EXPECT_LE(run.device->writtenAtMs[3] + kStartMs - run.stoppedAtMs, kStopWithinMs);
        EXPECT_EQ(ReadFileBytes(lap), log ? "LOG NAME,D01,TEST\r\n" : "01\r\n");
        EXPECT_EQ(result.PartialFileNote(), lap + " holds only part of the data (1 record).");
        EXPECT_EQ(run.events.busyDepth, 0);
    }
}

// A stop in the handshake closes the conversation only if the logger has
// opened it: an attempt taken in the pause before its answer was read, or
// one taken while the replies owed to earlier attempts were drained.
TEST(Stop, InTheHandshakeClosesTheConversationOnlyOnceTheLoggerHasOpenedIt) {
    struct Case {
        const char* name;
        std::int64_t ackAtMs;  // when the logger's acknowledgement arrives; < 0: never
        std::int64_t stopAtMs;
        long dends;
    };
    const Case cases[] = {
        {"no answer", -1, 2'500, 0},
        {"taken in the pause", 500, 600, 3},
        {"taken late, stopped in the drain", 1'500, 2'100, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StopRun run;
        if (c.ackAtMs >= 0) {
            run.device->arrive(kAck, c.ackAtMs);
        }
        run.stopWhen([&] { return run.clock.monotonicMs() > kStartMs + c.stopAtMs; });
        const TransferResult result = run.modelSave(TempPath("stop_handshake.csv"));
        EXPECT_EQ(result.outcome, TransferOutcome::Cancelled);
        EXPECT_EQ(run.count("DEND\r\n"), c.dends);
        EXPECT_EQ(run.count("DRED\r\n"), 0);
        if (c.dends == 0) {
            EXPECT_LE(run.clock.monotonicMs() - run.stoppedAtMs, kStopWithinMs);
        }
    }
}

// An update is stopped as soon as asked also while its start waits for the
// logger (whoever shows it asks first: the window's tests show that).
TEST(Stop, OfAnUpdateIsTakenWhileItsStartWaits) {
    StopRun run;
    const std::string file = WriteFileBytes("stop.dat", "S0\r\nS2140000000123ABCD00\r\nS9\r\n");
    run.queue({kAck, kAck, kAck, ""});  // the start unanswered, each attempt waiting 10 s
    run.stopWhen([&] { return run.device->written.size() == 4; });
    EXPECT_EQ(run.update(file).outcome, TransferOutcome::Cancelled);
    EXPECT_EQ(run.count("SUPS\r\n"), 1);
    EXPECT_LE(run.clock.monotonicMs() - run.stoppedAtMs, kStopWithinMs);
}

}  // namespace
