// No transfer reports success over files that differ from what the logger
// sent: every reply is judged against the command it belongs to (a late or
// stray acknowledgement may turn a transfer into a clear failure, never into
// a success with shifted data), and the log file can never replace the lap file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/dlg_harness.h"
#include "tests/support/platform_names.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kAck = "OK00\r\n";

// A small log: a name, the three summary times, the first lap's start with
// the sample count, one lap; then a name, the interval and one sample.
const std::string kLap = "OK00,0000,0021,0000\r\n";  // 33 s
const std::vector<std::string> kLapSet = {"OK00,0001,TEST\r\n",           kLap, kLap,      kLap,
                                          "OK00,0000,0000,0000,0001\r\n", kLap, "OK01\r\n"};
const std::vector<std::string> kSampleSet = {"OK00,0001,TEST\r\n", "OK00,000A\r\n",
                                             "OK00,0078,0078,0100,02E6,0019,001E\r\n", "OK01\r\n"};

struct LogRun : DlgHarness {
    explicit LogRun(const std::string& name)
        : lap(TempPath(name + "_lap.csv")), log(TempPath(name + "_log.csv")) {
        std::remove(lap.c_str());
        std::remove(log.c_str());
        platform.fileAnswers = {lap, log};
    }
    void queue(const std::vector<std::string>& replies) {
        device->replies.insert(device->replies.end(), replies.begin(), replies.end());
    }
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
    run.dlg.OnLogSave();
    EXPECT_EQ(run.messages().back().text, "Completed to receive data!!");
    EXPECT_EQ(ReadFileBytes(run.lap).rfind("LOG NAME,D01,TEST\r\nTOTAL,'00:33.00\r\n", 0), 0u);
    EXPECT_TRUE(ReadFileBytes(run.log).ends_with("\r\n'00:00.00,0,0,512,7.42,25,30,000\r\n"));
}

TEST(ReplyMatching, BareAcknowledgementOrTwoLinesAnsweringARecordFailTheDownload) {
    for (const std::string& stray : {kAck, std::string("OK00,0000,0021,0000\r\nOK00\r\n")}) {
        LogRun run("stray_record");
        run.queue({kAck, kLapSet[0], stray});
        run.dlg.OnLogSave();
        EXPECT_EQ(run.messages().back().text, "Failed to receive data.");
        EXPECT_EQ(ReadFileBytes(run.lap), "LOG NAME,D01,TEST\r\n")
            << "no line from the stray reply";
    }
    DlgHarness model({PortName(0)}, true);
    const std::string path = TempPath("stray_model.csv");
    model.platform.fileAnswers = {path};
    model.device->replies = {kAck, kAck, "OK00,0001\r\n", "OK01\r\n"};
    model.dlg.OnModelSave();
    EXPECT_EQ(model.messages().back().text, "Failed to receive data.");
    EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(ReplyMatching, LoggerThatAlwaysSendsALeadingLineFeedIsAccepted) {
    DlgHarness model({PortName(0)}, true);
    const std::string path = TempPath("leading_lf_model.csv");
    model.platform.fileAnswers = {path};
    model.device->replies = {"\nOK00\r\n", "\nOK00,0007\r\n", "\nOK01\r\n"};
    model.dlg.OnModelSave();
    EXPECT_EQ(model.messages().back().text, "Completed to receive data!!");
    EXPECT_EQ(ReadFileBytes(path), "07\r\n");
    EXPECT_EQ(model.device->written.front(), "DSTA,0\r\n");
    EXPECT_NE(model.device->written[1], "DSTA,0\r\n") << "accepted on the first attempt";
}

TEST(ChosenFiles, LogFileThatIsTheLapFileUnderAnotherNameIsRefused) {
    LogRun hardLink("hard_link");
    WriteFileBytes("hard_link_lap.csv", "old lap data\r\n");
    std::filesystem::create_hard_link(hardLink.lap, hardLink.log);
    hardLink.platform.fileAnswers.push_back(std::nullopt);  // the user gives up after the refusal
    hardLink.dlg.OnLogSave();
    EXPECT_EQ(hardLink.messages().front().text, "The log file must not be the lap file.");
    EXPECT_TRUE(hardLink.device->written.empty());

    // A link that leads to the lap file only once the lap file exists.
    LogRun dangling("dangling");
    std::filesystem::create_symlink(dangling.lap, dangling.log);
    dangling.queue({kAck});
    dangling.queue(kLapSet);
    dangling.dlg.OnLogSave();
    EXPECT_EQ(dangling.messages().back().text, "Failed to receive data.");
    EXPECT_EQ(ReadFileBytes(dangling.lap).rfind("LOG NAME,D01,TEST\r\n", 0), 0u);
    EXPECT_EQ(
        std::count(dangling.device->written.begin(), dangling.device->written.end(), "DCHG\r\n"),
        0);
}

}  // namespace
