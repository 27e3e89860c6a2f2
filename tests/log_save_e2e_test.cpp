// LOG SAVE from the click to the files, against the simulated logger over a
// pseudo-terminal. The files are compared byte for byte with golden files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "sim/records.h"
#include "tests/support/sim_transfer_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ktr90::hex4;
using ktr90::record;
using ktr90::timeGroup;

std::string Golden(const std::string& name) {
    return ReadFileBytes(std::string(DATADOCK_TEST_DATA_DIR) + "/golden/" + name);
}

// Two laps of 20 and 21 s from 2 s, sampled every second; a name with a
// double quote in the lap set and a code page 932 name in the sample set;
// negative steering and throttle and a missing temperature sensor.
ktr90::Scenario NormalLog(int samples = 46) {
    ktr90::Scenario s;
    s.lapReplies = {record("0003,SUZ\"UKA"),
                    record(timeGroup(0, 41, 0)),
                    record(timeGroup(0, 20, 0)),
                    record(timeGroup(0, 20, 50)),
                    record(timeGroup(0, 2, 0) + "," + hex4(static_cast<unsigned>(samples))),
                    record(timeGroup(0, 20, 0)),
                    record(timeGroup(0, 21, 0))};
    s.sampleReplies = {record("0003,\x83\x4A\x81\x5B"
                              "A"),
                       record("0064")};
    for (int i = 0; i < samples; ++i) {
        const unsigned u = static_cast<unsigned>(i);
        s.sampleReplies.push_back(record(hex4(120 + (i % 7) * 20 - 60) + "," + hex4(u * 5 % 241) +
                                         "," + hex4(1000 + u * 37) + "," + hex4(742 - u) + "," +
                                         hex4(i % 10 == 9 ? 255 : 25 + u / 3) + "," +
                                         hex4(30 + u / 5)));
    }
    return s;
}

struct LogSaveRun : SimTransferHarness {
    explicit LogSaveRun(ktr90::Scenario scenario, const std::string& name = "run")
        : SimTransferHarness(std::move(scenario)),
          lap(TempPath(name + "_lap.csv")),
          log(TempPath(name + "_log.csv")) {
        std::remove(lap.c_str());
        std::remove(log.c_str());
    }
    TransferResult run() { return logSave(lap, log); }
    std::string lap, log;
};

TEST(LogSaveEndToEnd, NormalLog_WritesBothFilesToTheByteAndReportsCompletion) {
    LogSaveRun run(NormalLog(), "normal");
    const TransferResult result = run.run();
    EXPECT_EQ(ReadFileBytes(run.lap), Golden("normal_lap.csv"));
    EXPECT_EQ(ReadFileBytes(run.log), Golden("normal_log.csv"));
    EXPECT_EQ(result.message, "Completed to receive data!!");
    EXPECT_EQ(run.events.results.size(), 1u);
    EXPECT_EQ(run.commands().front(), "DSTA,1");
    for (const ktr90::TranscriptEntry& entry : run.logger.transcript()) {
        if (entry.direction == ktr90::Direction::Received) {
            EXPECT_TRUE(entry.bytes.ends_with("\r\n")) << entry.bytes;
        }
    }
    EXPECT_EQ(run.count("DCHG"), 1);
    EXPECT_EQ(run.count("DEND"), 3);
    EXPECT_EQ(run.events.infos, std::vector<std::string>{run.log});
    EXPECT_EQ(run.events.busyDepth, 0);
}

TEST(LogSaveEndToEnd, ProgressFollowsTheAnnouncedSampleCount) {
    LogSaveRun run(NormalLog(200), "progress");
    run.run();
    const auto& positions = run.events.percents;
    ASSERT_GE(positions.size(), 100u);
    EXPECT_EQ(positions[0], 0) << "the first exchange of the sample set";
    EXPECT_EQ(positions[99], 50) << "100 of 200 exchanges";
    EXPECT_EQ(positions.back(), 100);
}

// Records with the K00 code, as some loggers send them, are taken like OK00
// ones; a reply in pieces is pieced together. Neither changes a byte of the
// files. (The fault matrix rides out the other oddities at every stage.)
TEST(LogSaveEndToEnd, UnusualButValidRepliesGiveTheSameFiles) {
    auto scenario = NormalLog();
    for (auto* set : {&scenario.lapReplies, &scenario.sampleReplies}) {
        for (std::string& reply : *set) {
            reply = "K00," + reply.substr(4);  // "K00,," + payload: one character less
        }
    }
    scenario.faults = {ktr90::parseFault("SplitReply@DRED#2:pieces=3,gap=20")};
    LogSaveRun run(scenario, "unusual");
    EXPECT_EQ(run.run().message, "Completed to receive data!!");
    EXPECT_EQ(ReadFileBytes(run.lap), Golden("normal_lap.csv"));
    EXPECT_EQ(ReadFileBytes(run.log), Golden("normal_log.csv"));
}

TEST(LogSaveEndToEnd, NoDataInEitherSet_DeletesThatSetsFile) {
    for (const bool inLapSet : {true, false}) {
        auto scenario = NormalLog();
        (inLapSet ? scenario.lapReplies : scenario.sampleReplies) = {ktr90::kNoData};
        LogSaveRun run(scenario, inLapSet ? "nolaps" : "nosamples");
        EXPECT_EQ(run.run().message, "No data.");
        EXPECT_EQ(FileExists(run.lap), !inLapSet);
        if (!inLapSet) {
            EXPECT_EQ(ReadFileBytes(run.lap), Golden("normal_lap.csv"));
        }
        EXPECT_FALSE(FileExists(run.log));
        EXPECT_EQ(run.count("DEND"), 3);
    }
}

}  // namespace
