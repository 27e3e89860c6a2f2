// The transfers' command sequences, progress and failure paths on a scripted
// port with a fake clock: every pause and time-out costs no real time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "app/texts.h"
#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kAck = "OK00\r\n";

std::string UpdateFileWithLines(int count, const std::string& name = "update.dat") {
    std::string bytes = "S00F000044415441444F434B\r\nS2140000000123ABCD00112233\r\n";
    for (int i = 2; i < count; ++i) {
        bytes += "S214" + std::to_string(100000 + i) + "\r\n";
    }
    return WriteFileBytes(name, bytes);
}

struct UpdateRun : DlgHarness {
    explicit UpdateRun(int lineCount) : lines(lineCount) {
        platform.fileAnswers = {UpdateFileWithLines(lineCount)};
    }
    // The logger takes the mode, wipe and clear, refuses the start as often as
    // asked, then takes the start, gives its version and takes every line.
    void replyToStart(int startRefusals = 0) {
        device->replies = {kAck, kAck, kAck};
        for (int i = 0; i < startRefusals; ++i)
            device->replies.push_back("NG00\r\n");
        device->replies.push_back(kAck);             // SUPS
        device->replies.push_back("OK00,1.04\r\n");  // SUPV
    }
    void replyToAll(int startRefusals = 0) {
        replyToStart(startRefusals);
        for (int i = 0; i <= lines; ++i)
            device->replies.push_back(kAck);  // every line and SUPE
    }
    int lines;
};

TEST(SoftwareUpdate, StartIsTriedTenTimesAtMost_ThenEveryLineGoesOutVerbatim) {
    UpdateRun nine(3);
    nine.replyToAll(9);
    nine.dlg.OnSoftwareUpdate();
    std::vector<std::string> expected = {"SUPM\r\n", "SUPW\r\n", "SUPC\r\n"};
    expected.insert(expected.end(), 10, "SUPS\r\n");
    expected.insert(expected.end(), {"SUPV\r\n", "SUPD,S00F000044415441444F434B\r\n",
                                     "SUPD,S2140000000123ABCD00112233\r\n",
                                     "SUPD,S214100002\r\n", "SUPE\r\n"});
    EXPECT_THAT(nine.device->written, ElementsAreArray(expected));
    ASSERT_EQ(nine.messages().size(), 1u);
    EXPECT_EQ(nine.messages()[0].text, "Update complete!!\r\nReboot the KTR-90.");
    EXPECT_EQ(nine.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(nine.platform.text(ctl::kStaticTitle), txt::kTitleUpdate);
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

TEST(SoftwareUpdate, ProgressIsProportionalAboveAHundredLines) {
    UpdateRun hundred(100);
    hundred.replyToAll();
    hundred.dlg.OnSoftwareUpdate();
    const auto& percentTexts = hundred.platform.textHistory[ctl::kStaticPercent];
    ASSERT_GE(percentTexts.size(), 2u);
    EXPECT_EQ(percentTexts[1], "100%") << "after the first line already";

    UpdateRun many(250);
    many.replyToAll();
    many.dlg.OnSoftwareUpdate();
    const auto& texts = many.platform.textHistory[ctl::kStaticPercent];
    ASSERT_EQ(texts.size(), 251u);  // cleared once by the layout, then once a line
    EXPECT_EQ(texts[1], "0%");
    EXPECT_EQ(texts[2], "0%");
    EXPECT_EQ(texts[3], "1%");
    EXPECT_EQ(texts[125], "50%");
    EXPECT_EQ(texts[250], "100%");
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

TEST(SoftwareUpdate, CancelDuringHandshakeOrDataEndsWithoutMessage) {
    UpdateRun handshake(3);
    handshake.platform.onPump = [&](int) {
        if (handshake.device->written.size() == 2)
            handshake.dlg.OnCancel();
    };
    handshake.dlg.OnSoftwareUpdate();  // the logger never answers
    EXPECT_THAT(handshake.device->written, ElementsAre("SUPM\r\n", "SUPM\r\n"));
    EXPECT_TRUE(handshake.messages().empty());
    EXPECT_FALSE(handshake.dlg.m_pSerial->IsOpen());

    UpdateRun data(250);
    data.replyToAll();
    data.platform.onPump = [&](int) {
        if (data.device->written.size() == 10 && !data.dlg.StopRequested())
            data.dlg.OnCancel();
    };
    data.dlg.OnSoftwareUpdate();
    EXPECT_TRUE(data.messages().empty());
    EXPECT_EQ(data.platform.questions.size(), 1u) << "stopping a begun update is confirmed";
    EXPECT_LT(data.device->written.size(), 20u);
    EXPECT_EQ(data.platform.waitCursorDepth, 0);
}

TEST(SoftwareUpdate, PulledCableEndsLikeAFailedUpdateWithTheReason) {
    UpdateRun run(3);
    run.replyToStart();
    run.device->replies.push_back(kAck);
    run.device->hangUpAt(12'000);
    run.dlg.OnSoftwareUpdate();
    ASSERT_EQ(run.messages().size(), 1u);
    EXPECT_EQ(run.messages()[0].text, "Update Failed.");
    EXPECT_THAT(run.messages()[0].detail, ::testing::HasSubstr("The KTR-90 stopped answering"));
    EXPECT_FALSE(run.dlg.m_pSerial->IsOpen());
    EXPECT_EQ(run.platform.waitCursorDepth, 0);
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

TEST(ModelSave, WritesEachValueInDecimalWithCrLf) {
    ModelRun m;
    m.run({"OK00,01,2C\r\n", "OK00,7\r\n", "OK00,ffff\r\n", "OK00,\r\n", "OK00,01,2C,FF\r\n",
           "OK0012AB\r\n", "OK01\r\n"});
    EXPECT_EQ(ReadFileBytes(m.path), "300\r\n07\r\n65535\r\n00\r\n300\r\n683\r\n");
    EXPECT_EQ(m.messages().back().text, "Completed to receive data!!");
    EXPECT_EQ(m.messages().back().icon, MessageIcon::Information);
    EXPECT_EQ(std::count(m.device->written.begin(), m.device->written.end(), "DEND\r\n"), 3);
    EXPECT_EQ(m.device->written.front(), "DSTA,0\r\n");
}

TEST(ModelSave, OutcomesKeepOrDeleteTheFileAsTheyShould) {
    struct Case {
        std::vector<std::string> records;
        std::optional<std::string> file;  // nothing: deleted
        std::string message;
    };
    const Case cases[] = {
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
    }

    ModelRun fullDisk;
    fullDisk.platform.fileAnswers = {FullDiskPath()};
    fullDisk.run({"OK00,0001\r\n", "OK01\r\n"});
    EXPECT_EQ(fullDisk.messages().back().text, "Failed to receive data.");
}

}  // namespace
