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
    explicit UpdateRun(int lines) { platform.fileAnswers = {UpdateFileWithLines(lines)}; }
    void replyToStart(int supsRefusals = 0) {
        device->replies = {kAck, kAck, kAck};
        for (int i = 0; i < supsRefusals; ++i)
            device->replies.push_back("NG00\r\n");
        device->replies.push_back(kAck);             // SUPS
        device->replies.push_back("OK00,1.04\r\n");  // SUPV
    }
    std::vector<std::string> commandsAfter(std::size_t skip) const {
        return {device->written.begin() + static_cast<long>(skip), device->written.end()};
    }
};

TEST(SoftwareUpdate, SendsTheWholeSequenceAndEveryLineVerbatim) {
    UpdateRun run(3);
    run.replyToStart();
    for (int i = 0; i < 4; ++i)
        run.device->replies.push_back(kAck);  // 3 lines and SUPE
    run.dlg.OnSoftwareUpdate();

    EXPECT_THAT(run.device->written, ElementsAre("SUPM\r\n", "SUPW\r\n", "SUPC\r\n", "SUPS\r\n",
                                                 "SUPV\r\n", "SUPD,S00F000044415441444F434B\r\n",
                                                 "SUPD,S2140000000123ABCD00112233\r\n",
                                                 "SUPD,S214100002\r\n", "SUPE\r\n"));
    ASSERT_EQ(run.messages().size(), 1u);
    EXPECT_EQ(run.messages()[0].text, "Update complete!!\r\nReboot the KTR-90.");
    EXPECT_EQ(run.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(run.platform.text(ctl::kStaticInfo), "Ver 1.04 \x81\xA8 Ver 6.02");
    EXPECT_EQ(run.platform.text(ctl::kStaticTitle), txt::kTitleUpdate);
    EXPECT_THAT(run.clock.sleeps, ::testing::IsSupersetOf({1000, 5000}));
    EXPECT_EQ(run.platform.waitCursorDepth, 0);
    EXPECT_FALSE(run.dlg.m_pSerial->IsOpen());
    EXPECT_EQ(run.platform.progressPos, 0) << "the bar is reset after the transfer";
}

TEST(SoftwareUpdate, StartIsTriedTenTimesAtMost) {
    UpdateRun nine(3);
    nine.replyToStart(9);
    for (int i = 0; i < 4; ++i)
        nine.device->replies.push_back(kAck);
    nine.dlg.OnSoftwareUpdate();
    EXPECT_EQ(std::count(nine.device->written.begin(), nine.device->written.end(), "SUPS\r\n"), 10);
    EXPECT_EQ(nine.messages().back().text, "Update complete!!\r\nReboot the KTR-90.");

    UpdateRun ten(3);
    ten.device->replies = {kAck, kAck, kAck};
    for (int i = 0; i < 10; ++i)
        ten.device->replies.push_back("NG00\r\n");
    ten.dlg.OnSoftwareUpdate();
    EXPECT_EQ(std::count(ten.device->written.begin(), ten.device->written.end(), "SUPS\r\n"), 10);
    EXPECT_EQ(ten.device->written.back(), "SUPS\r\n") << "nothing follows a refused start";
    EXPECT_EQ(ten.messages().back().text, "Update Failed.");
    EXPECT_EQ(ten.messages().back().icon, MessageIcon::Error);
}

TEST(SoftwareUpdate, ProgressIsProportionalAboveAHundredLines) {
    UpdateRun hundred(100);
    hundred.replyToStart();
    for (int i = 0; i < 101; ++i)
        hundred.device->replies.push_back(kAck);
    hundred.dlg.OnSoftwareUpdate();
    const auto& percentTexts = hundred.platform.textHistory[ctl::kStaticPercent];
    ASSERT_GE(percentTexts.size(), 2u);
    EXPECT_EQ(percentTexts[1], "100%") << "after the first line already";

    UpdateRun many(250);
    many.replyToStart();
    for (int i = 0; i < 251; ++i)
        many.device->replies.push_back(kAck);
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
    for (const std::string& bytes : {std::string("only one line\r\n"), std::string()}) {
        DlgHarness h;
        h.platform.fileAnswers = {WriteFileBytes("short.dat", bytes)};
        h.dlg.OnSoftwareUpdate();
        EXPECT_TRUE(h.device->written.empty());
        EXPECT_EQ(h.messages().back().text, "Update Failed.");
        EXPECT_FALSE(h.dlg.m_pSerial->IsOpen());
    }
    DlgHarness missing;
    missing.platform.fileAnswers = {TempPath("missing.dat")};
    missing.dlg.OnSoftwareUpdate();
    EXPECT_TRUE(missing.device->written.empty());
    EXPECT_EQ(missing.messages().back().text, "Update Failed.");
}

TEST(SoftwareUpdate, CancelDuringHandshakeOrDataEndsWithoutMessage) {
    UpdateRun handshake(3);
    handshake.platform.onPump = [&](int n) {
        if (n == 3)
            handshake.dlg.OnCancel();
    };
    handshake.dlg.OnSoftwareUpdate();  // the logger never answers
    EXPECT_THAT(handshake.device->written, ElementsAre("SUPM\r\n", "SUPM\r\n"));
    EXPECT_TRUE(handshake.messages().empty());
    EXPECT_FALSE(handshake.dlg.m_pSerial->IsOpen());

    UpdateRun data(250);
    data.replyToStart();
    for (int i = 0; i < 251; ++i)
        data.device->replies.push_back(kAck);
    data.platform.onPump = [&](int n) {
        if (n == 10)
            data.dlg.OnCancel();
    };
    data.dlg.OnSoftwareUpdate();
    EXPECT_TRUE(data.messages().empty());
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
    ModelRun empty;
    empty.run({"OK01\r\n"});
    EXPECT_TRUE(FileExists(empty.path));
    EXPECT_EQ(ReadFileBytes(empty.path), "");

    ModelRun none;
    none.run({"OK02\r\n"});
    EXPECT_FALSE(FileExists(none.path));
    EXPECT_EQ(none.messages().back().text, "No data.");

    ModelRun wrongCode;
    wrongCode.run({"OK00,0001\r\n", "K00,0002\r\n"});
    EXPECT_EQ(ReadFileBytes(wrongCode.path), "01\r\n");
    EXPECT_EQ(wrongCode.messages().back().text, "Failed to receive data.");

    ModelRun silence;
    silence.run({"OK00,0001\r\n", ""});
    EXPECT_EQ(ReadFileBytes(silence.path), "01\r\n");
    EXPECT_EQ(silence.messages().back().text, "Failed to receive data.");

    ModelRun fullDisk;
    fullDisk.platform.fileAnswers = {FullDiskPath()};
    fullDisk.run({"OK00,0001\r\n", "OK01\r\n"});
    EXPECT_EQ(fullDisk.messages().back().text, "Failed to receive data.");
}

}  // namespace
