// LOG SAVE against the simulated logger over a pseudo-terminal: the files byte
// for byte as the golden files hold them, and the progress as the log goes.
#include <gtest/gtest.h>

#include "sim/generated_session.h"
#include "sim/records.h"
#include "sim/scenario_file.h"
#include "tests/support/sim_transfer_harness.h"
#include "tests/support/temp_files.h"

namespace {

std::string Golden(const std::string& name) {
    return ReadFileBytes(std::string(DATADOCK_TEST_DATA_DIR) + "/golden/" + name);
}

// Two laps of 20 and 21 s, a name with a double quote and one in code page
// 932, negative steering and throttle, a missing temperature sensor: the
// session the golden files were made from (the Windows tests use it too).
ktr90::Scenario NormalLog() {
    return ktr90::loadScenarioFile(std::string(DATADOCK_TEST_DATA_DIR) +
                                   "/normal_session.scenario");
}

// Records with the K00 code, as some loggers send them, are taken like OK00
// ones; a reply in pieces is pieced together. Neither changes a byte of the
// files. (The fault matrix rides out the other oddities at every stage.)
TEST(LogSaveEndToEnd, NormalAndUnusualButValidReplies_WriteBothFilesToTheByte) {
    auto unusual = NormalLog();
    for (auto* set : {&unusual.lapReplies, &unusual.sampleReplies}) {
        for (std::string& reply : *set) {
            reply = "K00," + reply.substr(4);  // "K00,," + payload: one character less
        }
    }
    unusual.faults = {ktr90::parseFault("SplitReply@DRED#2:pieces=3,gap=20")};
    const std::pair<ktr90::Scenario, std::string> runs[] = {{NormalLog(), "normal"},
                                                            {unusual, "unusual"}};
    for (const auto& [scenario, name] : runs) {
        SimTransferHarness run(scenario);
        const std::string lap = TempPath(name + "_lap.csv"), log = TempPath(name + "_log.csv");
        const TransferResult result = run.logSave(lap, log);
        EXPECT_EQ(ReadFileBytes(lap), Golden("normal_lap.csv")) << name;
        EXPECT_EQ(ReadFileBytes(log), Golden("normal_log.csv")) << name;
        EXPECT_EQ(result.message, "Completed to receive data!!");
        EXPECT_EQ(run.events.results.size(), 1u);
        EXPECT_EQ(run.commands().front(), "DSTA,1");
        EXPECT_EQ(run.count("DCHG"), 1);
        EXPECT_EQ(run.count("DEND"), 3);
        EXPECT_EQ(run.events.infos, std::vector<std::string>{log});
        EXPECT_EQ(run.events.busyDepth, 0);
    }
}

TEST(LogSaveEndToEnd, ProgressFollowsTheAnnouncedSampleCount) {
    const ktr90::Scenario session = ktr90::generatedSession(7);
    const std::size_t samples = session.sampleReplies.size() - 2;  // after the name and interval
    ASSERT_GT(samples, 100u) << "a log long enough for proportional progress";
    SimTransferHarness run(session);
    run.logSave(TempPath("progress_lap.csv"), TempPath("progress_log.csv"));
    const auto& positions = run.events.percents;
    ASSERT_GE(positions.size(), samples / 2);
    EXPECT_EQ(positions[0], 0) << "the first exchange of the sample set";
    EXPECT_EQ(positions[samples / 2 - 1], static_cast<int>(samples / 2 * 100 / samples));
    EXPECT_EQ(positions.back(), 100);
}

}  // namespace
