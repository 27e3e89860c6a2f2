// The transfers' command sequences, progress and failure paths on a scripted
// port with a fake clock: every pause and time-out costs no real time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/temp_files.h"
#include "tests/support/transfer_harness.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

const std::string kAck = "OK00\r\n";

// An update file of `lines` lines, and a logger that takes the mode, wipe and
// clear, refuses the start as often as asked, then takes the start, gives its
// version and, with replyToAll, takes every line.
struct UpdateRun : TransferHarness {
    explicit UpdateRun(int lineCount) : lines(lineCount) {
        std::string bytes = "S00F000044415441444F434B\r\nS2140000000123ABCD00112233\r\n";
        for (int i = 2; i < lines; ++i) {
            bytes += "S214" + std::to_string(100000 + i) + "\r\n";
        }
        file = WriteFileBytes("update.dat", bytes);
    }
    void replyToStart(int startRefusals = 0) {
        queue({kAck, kAck, kAck});
        queue(std::vector<std::string>(startRefusals, "NG00\r\n"));
        queue({kAck, "OK00,1.04\a\r\n"});  // SUPS, SUPV with a stray control byte
    }
    void replyToAll(int startRefusals = 0) {
        replyToStart(startRefusals);
        queue(std::vector<std::string>(lines + 1, kAck));  // every line and SUPE
    }
    TransferResult run() { return update(file); }
    int lines;
    std::string file;
};

TEST(SoftwareUpdate, StartIsTriedTenTimesAtMost_ThenEveryLineGoesOutVerbatim) {
    UpdateRun nine(3);
    nine.replyToAll(9);
    const TransferResult done = nine.run();
    std::vector<std::string> expected = {"SUPM\r\n", "SUPW\r\n", "SUPC\r\n"};
    expected.insert(expected.end(), 10, "SUPS\r\n");
    expected.insert(expected.end(),
                    {"SUPV\r\n", "SUPD,S00F000044415441444F434B\r\n",
                     "SUPD,S2140000000123ABCD00112233\r\n", "SUPD,S214100002\r\n", "SUPE\r\n"});
    EXPECT_THAT(nine.device->written, ElementsAreArray(expected));
    EXPECT_EQ(done.outcome, TransferOutcome::Completed);
    EXPECT_EQ(done.message, "Update complete!!\r\nReboot the KTR-90.");
    EXPECT_EQ(done.severity, Severity::Information);
    EXPECT_EQ(nine.events.infos, std::vector<std::string>{"Ver 1.04\\x07 \x81\xA8 Ver 6.02"});
    // The pauses on the wire: a second per handshake attempt, then five
    // seconds before the start, however the waits are sliced.
    const auto at = [&](std::size_t i) { return nine.device->writtenAtMs[i]; };
    EXPECT_EQ(at(1) - at(0), 1000);
    EXPECT_EQ(at(3) - at(2), 6000);
    EXPECT_EQ(nine.events.busyDepth, 0);
    EXPECT_FALSE(nine.events.underway) << "a finished update may be left at once";

    UpdateRun ten(3);
    ten.replyToStart(10);  // an eleventh start would be taken
    const TransferResult refused = ten.run();
    EXPECT_EQ(ten.count("SUPS\r\n"), 10);
    EXPECT_EQ(ten.device->written.back(), "SUPS\r\n") << "nothing follows a refused start";
    EXPECT_EQ(refused.message, "Update Failed.");
    EXPECT_EQ(refused.severity, Severity::Error);
    EXPECT_EQ(ten.events.busyDepth, 0);
}

// Up to a hundred lines the bar is full after the first; above, proportional.
TEST(SoftwareUpdate, ProgressIsProportionalAboveAHundredLines) {
    for (const int lines : {100, 250}) {
        UpdateRun run(lines);
        run.replyToAll();
        run.run();
        const std::vector<int>& shown = run.events.percents;
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(lines));  // once a line
        EXPECT_EQ(shown[0], lines == 100 ? 100 : 0);
        EXPECT_EQ(shown[2], lines == 100 ? 100 : 1);
        EXPECT_EQ(shown[lines / 2 - 1], lines == 100 ? 100 : 50);
    }
}

TEST(SoftwareUpdate, UnusableFileOrPulledCableFailWithTheReason) {
    for (const std::string& path : {WriteFileBytes("short.dat", "only one line\r\n"),
                                    WriteFileBytes("empty.dat", ""), TempPath("missing.dat")}) {
        SCOPED_TRACE(path);
        TransferHarness h;
        const TransferResult result = h.update(path);
        EXPECT_TRUE(h.device->written.empty()) << "found out before anything is sent";
        EXPECT_EQ(result.message, "Update Failed.");
        EXPECT_THAT(result.reason, HasSubstr(path));
    }
    UpdateRun pulled(3);
    pulled.replyToStart();
    pulled.queue({kAck});
    pulled.device->hangUpAt(12'000);
    const TransferResult result = pulled.run();
    EXPECT_EQ(result.message, "Update Failed.");
    EXPECT_THAT(result.reason, HasSubstr("The KTR-90 stopped answering"));
    EXPECT_EQ(pulled.events.results.size(), 1u);
}

TEST(ModelSave, WritesEachValueInDecimalAndKeepsOrDeletesTheFileByOutcome) {
    struct Case {
        std::vector<std::string> records;
        std::optional<std::string> file;  // nothing: deleted
        TransferOutcome outcome;
        std::string message;
    };
    const std::string done = "Completed to receive data!!", failed = "Failed to receive data.";
    const Case cases[] = {
        {{"OK00,01,2C\r\n", "OK00,7\r\n", "OK00,ffff\r\n", "OK00,\r\n", "OK00,01,2C,FF\r\n",
          "OK0012AB\r\n", "OK01\r\n"},
         "300\r\n07\r\n65535\r\n00\r\n300\r\n683\r\n",
         TransferOutcome::Completed,
         done},
        {{"OK01\r\n"}, "", TransferOutcome::Completed, done},
        {{"OK02\r\n"}, std::nullopt, TransferOutcome::NoData, "No data."},
        {{"OK00,0001\r\n", "K00,0002\r\n"}, "01\r\n", TransferOutcome::Failed, failed},
        {{"OK00,0001\r\n", ""}, "01\r\n", TransferOutcome::Failed, failed},  // silence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records.back());
        TransferHarness h;
        const std::string path = TempPath("model.csv");
        std::remove(path.c_str());
        h.queue({kAck});
        h.queue(c.records);
        const TransferResult result = h.modelSave(path);
        EXPECT_EQ(FileExists(path), c.file.has_value());
        EXPECT_EQ(ReadFileBytes(path), c.file.value_or(""));
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.message, c.message);
        EXPECT_EQ(result.partialFile.path.empty(), c.outcome != TransferOutcome::Failed);
        EXPECT_EQ(h.device->written.front(), "DSTA,0\r\n");
        EXPECT_EQ(h.count("DEND\r\n"), 3);
    }
}

// A full disk is a failure in the user's words, not a completion.
TEST(ModelSave, FullDiskFailsAndSaysWhy) {
    TransferHarness h;
    h.queue({kAck, "OK00,0001\r\n", "OK01\r\n"});
    const TransferResult result = h.modelSave(FullDiskPath());
    EXPECT_EQ(result.message, "Failed to receive data.");
    EXPECT_THAT(result.reason,
                HasSubstr("Cannot write " + FullDiskPath() + ". No space left on the disk."));
    EXPECT_EQ(result.partialFile.records, 0) << "the note counts only what reached the disk";
}

}  // namespace
