// No transfer reports success over files that differ from what the logger
// sent: every reply is judged against the command it belongs to (a late or
// stray acknowledgement may turn a transfer into a clear failure, never into
// a success with shifted data), and the log file can never replace the lap file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "device/file_access.h"
#include "tests/support/temp_files.h"
#include "tests/support/transfer_harness.h"

namespace {

const std::string kAck = "OK00\r\n";

// A small log: a name, the three summary times, the first lap's start with
// the sample count, one lap; then a name, the interval and one sample.
const std::string kLap = "OK00,0000,0021,0000\r\n";  // 33 s
const std::vector<std::string> kLapSet = {"OK00,0001,TEST\r\n",           kLap, kLap,      kLap,
                                          "OK00,0000,0000,0000,0001\r\n", kLap, "OK01\r\n"};
const std::vector<std::string> kSampleSet = {"OK00,0001,TEST\r\n", "OK00,000A\r\n",
                                             "OK00,0078,0078,0100,02E6,0019,001E\r\n", "OK01\r\n"};

struct LogRun : TransferHarness {
    explicit LogRun(const std::string& name)
        : lap(TempPath(name + "_lap.csv")), log(TempPath(name + "_log.csv")) {
        std::remove(lap.c_str());
        std::remove(log.c_str());
    }
    TransferResult run() { return logSave(lap, log); }
    std::string lap, log;
};

TEST(ReplyMatching, LateHandshakeAcknowledgementIsDroppedNotTakenAsTheFirstRecord) {
    LogRun run("late_ack");
    run.queue({"", ""});              // both attempts answered late
    run.device->arrive(kAck, 1'500);  // the first attempt's, read by the second's look
    run.device->arrive(kAck, 2'300);  // the second attempt's, still owed
    run.queue(kLapSet);
    run.queue({kAck});
    run.queue(kSampleSet);
    EXPECT_EQ(run.run().message, "Completed to receive data!!");
    EXPECT_EQ(ReadFileBytes(run.lap).rfind("LOG NAME,D01,TEST\r\nTOTAL,'00:33.00\r\n", 0), 0u);
    EXPECT_TRUE(ReadFileBytes(run.log).ends_with("\r\n'00:00.00,0,0,512,7.42,25,30,000\r\n"));
}

TEST(ReplyMatching, BareAcknowledgementOrTwoLinesAnsweringARecordFailTheDownload) {
    for (const std::string& stray : {kAck, std::string("OK00,0000,0021,0000\r\nOK00\r\n")}) {
        LogRun run("stray_record");
        run.queue({kAck, kLapSet[0], stray});
        EXPECT_EQ(run.run().message, "Failed to receive data.");
        EXPECT_EQ(ReadFileBytes(run.lap), "LOG NAME,D01,TEST\r\n")
            << "no line from the stray reply";
    }
    TransferHarness model;
    const std::string path = TempPath("stray_model.csv");
    model.queue({kAck, kAck, "OK00,0001\r\n", "OK01\r\n"});
    EXPECT_EQ(model.modelSave(path).message, "Failed to receive data.");
    EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(ReplyMatching, SampleThatCannotBeReadFailsTheDownloadAndKeepsWhatCameBefore) {
    LogRun run("unreadable_sample");
    run.queue({kAck});
    run.queue(kLapSet);
    run.queue({kAck, kSampleSet[0], kSampleSet[1], "OK00,0001,\x1B[2J,0003\r\n", "OK01\r\n"});
    const TransferResult result = run.run();
    EXPECT_EQ(result.message, "Failed to receive data.");
    EXPECT_EQ(result.reason, "A sample record could not be read: 0001,\\x1B[2J,0003")
        << "the line's bytes are quoted escaped, never raw";
    EXPECT_EQ(result.partialFile.records, 2);
    const std::string log = ReadFileBytes(run.log);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 3) << "the name, interval and header";
}

// A path that cannot be resolved (a link that loops) is no other path's file.
TEST(ChosenFiles, NeverTheSameFileByAFailedResolution) {
    const std::string loop = TempPath("loop");
    std::filesystem::remove(loop);
    std::filesystem::create_symlink(loop, loop);
    EXPECT_FALSE(IsSamePath(loop + "/a_lap.csv", loop + "/a_log.csv"));
}

// A log file that cannot be written is found out before the logger is asked,
// and last session's lap file keeps its data.
TEST(ChosenFiles, LogFileThatCannotBeWrittenCostsNoLapFile) {
    LogRun run("unwritable");
    WriteFileBytes("unwritable_lap.csv", "last session\r\n");
    std::filesystem::create_directory(run.log);  // a folder where the log file should go
    const TransferResult result = run.run();
    EXPECT_EQ(result.message, "Failed to receive data.");
    EXPECT_NE(result.reason.find(run.log), std::string::npos) << result.reason;
    EXPECT_EQ(ReadFileBytes(run.lap), "last session\r\n");
    EXPECT_TRUE(run.device->written.empty());
}

TEST(ChosenFiles, LogFileThatBecomesTheLapFileIsRefusedAndTheLapFileKept) {
    LogRun dangling("dangling");
    std::filesystem::create_symlink(dangling.lap, dangling.log);
    dangling.queue({kAck});
    dangling.queue(kLapSet);
    const TransferResult result = dangling.run();
    EXPECT_EQ(result.message, "Failed to receive data.");
    EXPECT_EQ(ReadFileBytes(dangling.lap).rfind("LOG NAME,D01,TEST\r\n", 0), 0u);
    EXPECT_EQ(dangling.count("DCHG\r\n"), 0);
}

}  // namespace
