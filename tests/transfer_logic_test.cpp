// The transfers' command sequences, progress and failure paths on a scripted
// port with a fake clock: every pause and time-out costs no real time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

const std::string kAck = "OK00\r\n";

// An update file of `lines` lines, and a logger that takes the mode, wipe and
// clear, refuses the start as often as asked, then takes the start, gives its
// version and, with replyToAll, takes every line.
struct UpdateRun : DlgHarness {
    explicit UpdateRun(int lineCount) : lines(lineCount) {
        std::string bytes = "S00F000044415441444F434B\r\nS2140000000123ABCD00112233\r\n";
        for (int i = 2; i < lines; ++i) {
            bytes += "S214" + std::to_string(100000 + i) + "\r\n";
        }
        platform.fileAnswers = {WriteFileBytes("update.dat", bytes)};
    }
    void replyToStart(int startRefusals = 0) {
        device->replies = {kAck, kAck, kAck};
        device->replies.insert(device->replies.end(), startRefusals, "NG00\r\n");
        device->replies.insert(device->replies.end(), {kAck, "OK00,1.04\r\n"});  // SUPS, SUPV
    }
    void replyToAll(int startRefusals = 0) {
        replyToStart(startRefusals);
        device->replies.insert(device->replies.end(), lines + 1, kAck);  // every line and SUPE
    }
    int lines;
};

TEST(SoftwareUpdate, StartIsTriedTenTimesAtMost_ThenEveryLineGoesOutVerbatim) {
    UpdateRun nine(3);
    nine.replyToAll(9);
    nine.dlg.OnSoftwareUpdate();
    std::vector<std::string> expected = {"SUPM\r\n", "SUPW\r\n", "SUPC\r\n"};
    expected.insert(expected.end(), 10, "SUPS\r\n");
    expected.insert(expected.end(),
                    {"SUPV\r\n", "SUPD,S00F000044415441444F434B\r\n",
                     "SUPD,S2140000000123ABCD00112233\r\n", "SUPD,S214100002\r\n", "SUPE\r\n"});
    EXPECT_THAT(nine.device->written, ElementsAreArray(expected));
    ASSERT_EQ(nine.messages().size(), 1u);
    EXPECT_EQ(nine.messages()[0].text, "Update complete!!\r\nReboot the KTR-90.");
    EXPECT_EQ(nine.messages()[0].icon, MessageIcon::Information);
    // The pauses on the wire: a second per handshake attempt, then five
    // seconds before the start, however the waits are sliced.
    const auto at = [&](std::size_t i) { return nine.device->writtenAtMs[i]; };
    EXPECT_EQ(at(1) - at(0), 1000);
    EXPECT_EQ(at(3) - at(2), 6000);
    EXPECT_EQ(nine.platform.waitCursorDepth, 0);
    EXPECT_FALSE(nine.dlg.m_pSerial->IsOpen());
    EXPECT_EQ(nine.platform.progressPos, 0) << "the bar is reset after the transfer";

    UpdateRun ten(3);
    ten.replyToStart(10);  // an eleventh start would be taken
    ten.dlg.OnSoftwareUpdate();
    EXPECT_EQ(std::count(ten.device->written.begin(), ten.device->written.end(), "SUPS\r\n"), 10);
    EXPECT_EQ(ten.device->written.back(), "SUPS\r\n") << "nothing follows a refused start";
    EXPECT_EQ(ten.messages().back().text, "Update Failed.");
    EXPECT_EQ(ten.messages().back().icon, MessageIcon::Error);
}

// Up to a hundred lines the bar is full after the first; above, proportional.
TEST(SoftwareUpdate, ProgressIsProportionalAboveAHundredLines) {
    for (const int lines : {100, 250}) {
        UpdateRun run(lines);
        run.replyToAll();
        run.dlg.OnSoftwareUpdate();
        const auto& texts = run.platform.textHistory[ctl::kStaticPercent];
        ASSERT_EQ(texts.size(), lines + 1u);  // cleared by the layout, then once a line
        EXPECT_EQ(texts[1], lines == 100 ? "100%" : "0%");
        EXPECT_EQ(texts[3], lines == 100 ? "100%" : "1%");
        EXPECT_EQ(texts[lines / 2], lines == 100 ? "100%" : "50%");
    }
}

TEST(SoftwareUpdate, UnusableFileIsFoundOutBeforeAnythingIsSent) {
    for (const std::string& path : {WriteFileBytes("short.dat", "only one line\r\n"),
                                    WriteFileBytes("empty.dat", ""), TempPath("missing.dat")}) {
        SCOPED_TRACE(path);
        DlgHarness h;
        h.platform.fileAnswers = {path};
        h.dlg.OnSoftwareUpdate();
        EXPECT_TRUE(h.device->written.empty());
        EXPECT_EQ(h.messages().back().text, "Update Failed.");
        EXPECT_FALSE(h.dlg.m_pSerial->IsOpen());
    }
}

TEST(SoftwareUpdate, PulledCableEndsLikeAFailedUpdateWithTheReason) {
    UpdateRun run(3);
    run.replyToStart();
    run.device->replies.push_back(kAck);
    run.device->hangUpAt(12'000);
    run.dlg.OnSoftwareUpdate();
    ASSERT_EQ(run.messages().size(), 1u);
    EXPECT_EQ(run.messages()[0].text, "Update Failed.");
    EXPECT_THAT(run.messages()[0].detail, HasSubstr("The KTR-90 stopped answering"));
    EXPECT_FALSE(run.dlg.m_pSerial->IsOpen());
}

struct ModelRun : DlgHarness {
    ModelRun() : DlgHarness({PortName(0)}, true) {
        path = TempPath("model.csv");
        std::remove(path.c_str());
        platform.fileAnswers = {path};
    }
    void run(std::vector<std::string> records) {
        device->replies = {kAck};
        for (auto& r : records)
            device->replies.push_back(r);
        dlg.OnModelSave();
    }
    std::string path;
};

TEST(ModelSave, WritesEachValueInDecimalAndKeepsOrDeletesTheFileByOutcome) {
    struct Case {
        std::vector<std::string> records;
        std::optional<std::string> file;  // nothing: deleted
        std::string message;
    };
    const Case cases[] = {
        {{"OK00,01,2C\r\n", "OK00,7\r\n", "OK00,ffff\r\n", "OK00,\r\n", "OK00,01,2C,FF\r\n",
          "OK0012AB\r\n", "OK01\r\n"},
         "300\r\n07\r\n65535\r\n00\r\n300\r\n683\r\n",
         "Completed to receive data!!"},
        {{"OK01\r\n"}, "", "Completed to receive data!!"},
        {{"OK02\r\n"}, std::nullopt, "No data."},
        {{"OK00,0001\r\n", "K00,0002\r\n"}, "01\r\n", "Failed to receive data."},
        {{"OK00,0001\r\n", ""}, "01\r\n", "Failed to receive data."},  // silence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.records.back());
        ModelRun m;
        m.run(c.records);
        EXPECT_EQ(FileExists(m.path), c.file.has_value());
        EXPECT_EQ(ReadFileBytes(m.path), c.file.value_or(""));
        EXPECT_EQ(m.messages().back().text, c.message);
        EXPECT_EQ(m.device->written.front(), "DSTA,0\r\n");
        EXPECT_EQ(std::count(m.device->written.begin(), m.device->written.end(), "DEND\r\n"), 3);
    }
}

// A full disk is a failure in the user's words, not a completion.
TEST(ModelSave, FullDiskFailsAndSaysWhy) {
    ModelRun m;
    m.platform.fileAnswers = {FullDiskPath()};
    m.run({"OK00,0001\r\n", "OK01\r\n"});
    EXPECT_EQ(m.messages().back().text, "Failed to receive data.");
    EXPECT_THAT(m.messages().back().detail,
                HasSubstr("Cannot write " + FullDiskPath() + ". No space left on the disk."));
}

}  // namespace
