// What the simulated logger holds: records, scenario files, the generated
// session, and the ktr90-sim command line.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/conversation_watch.h"
#include "sim/escape.h"
#include "sim/generated_session.h"
#include "sim/records.h"
#include "sim/scenario_file.h"
#include "sim/sim_options.h"

namespace {

using ktr90::record;

TEST(SimRecords, TimeGroupsAndRecordsHaveTheLoggersForm) {
    EXPECT_EQ(ktr90::timeGroup(1, 23, 45), "0001,0017,002D");
    EXPECT_EQ(ktr90::timeGroupOfHundredths(8345), "0001,0017,002D");
    EXPECT_EQ(ktr90::timeGroupOfHundredths(0), "0000,0000,0000");
    EXPECT_EQ(record("0003,SUZUKA"), "OK00,0003,SUZUKA\r\n");
    EXPECT_EQ(ktr90::modelRecords({300, 0xFFFF}),
              (std::vector<std::string>{"OK00,012C\r\n", "OK00,FFFF\r\n"}));
}

TEST(SimEscapes, EveryByteSurvivesTheRoundTrip_AndBadEscapesAreRejected) {
    std::string allBytes;
    for (int byte = 0; byte < 256; ++byte) {
        allBytes += static_cast<char>(byte);
    }
    EXPECT_EQ(ktr90::unescapeBytes(ktr90::escapeBytes(allBytes)), allBytes);
    EXPECT_EQ(ktr90::unescapeBytes("\\x82\\xa0\\r\\n\\\\"), "\x82\xA0\r\n\\");
    for (const char* bad : {"\\q", "\\x8", "\\xG0", "end\\"}) {
        EXPECT_THROW(ktr90::unescapeBytes(bad), std::invalid_argument) << bad;
    }
}

TEST(SimScenarioFile, ReadsEveryKeyword_KeepingPayloadsVerbatim) {
    const ktr90::Scenario scenario = ktr90::parseScenarioText(
        "# a session at Suzuka\r\n"
        "version 1.05b\r\n"
        "lap 0003,\"SUZUKA, EAST\" \\x82\\xA0  \n"
        "\n"
        "lap-reply K00,0001\\r\\n\n"
        "sample 000a\n"
        "sample-reply OK00,0001\n"
        "model 300 0x12C 65535\n"
        "model-reply OK00,zz\\r\\n\n"
        "fault HangUpAt@9\n");
    EXPECT_EQ(scenario.versionText, "1.05b");
    EXPECT_EQ(
        scenario.lapReplies,
        (std::vector<std::string>{"OK00,0003,\"SUZUKA, EAST\" \x82\xA0  \r\n", "K00,0001\r\n"}));
    EXPECT_EQ(scenario.sampleReplies, (std::vector<std::string>{"OK00,000a\r\n", "OK00,0001"}));
    EXPECT_EQ(scenario.modelReplies, (std::vector<std::string>{"OK00,012C\r\n", "OK00,012C\r\n",
                                                               "OK00,FFFF\r\n", "OK00,zz\r\n"}));
    ASSERT_EQ(scenario.faults.size(), 1u);
    EXPECT_EQ(scenario.faults[0].target.exchange, 9);
}

TEST(SimScenarioFile, ErrorsNameTheLine) {
    const auto errorFor = [](const char* text) -> std::string {
        try {
            ktr90::parseScenarioText(text);
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "no error";
    };
    EXPECT_NE(errorFor("lap x\nlaps y\n").find("line 2: unknown keyword"), std::string::npos);
    EXPECT_NE(errorFor("model 65536").find("line 1"), std::string::npos);
    EXPECT_NE(errorFor("model 12 x1").find("line 1"), std::string::npos);
    EXPECT_NE(errorFor("\n\nfault Bogus").find("line 3"), std::string::npos);
    EXPECT_THROW(ktr90::loadScenarioFile("/nonexistent/scenario.txt"), std::runtime_error);
}

TEST(SimGeneratedSession, SameSeedSameSession_OtherSeedOtherSession) {
    const ktr90::Scenario first = ktr90::generatedSession(3);
    const ktr90::Scenario again = ktr90::generatedSession(3);
    const ktr90::Scenario other = ktr90::generatedSession(4);
    EXPECT_EQ(first.lapReplies, again.lapReplies);
    EXPECT_EQ(first.sampleReplies, again.sampleReplies);
    EXPECT_NE(first.sampleReplies, other.sampleReplies);
    EXPECT_GE(first.sampleReplies.size(), 300u);
    EXPECT_LE(first.sampleReplies.size(), 5000u);
    EXPECT_FALSE(first.modelReplies.empty());
}

TEST(SimConversationWatch, EndsAtTheThirdDendAtSupeOrInQuietAfterADend) {
    ktr90::ConversationWatch download;
    for (const char* command : {"DSTA,1", "DEND", "DSTA,1", "DEND", "DEND"}) {
        download.onCommand(command, 0);
    }
    EXPECT_FALSE(download.over(10)) << "only two DENDs in a row";
    download.onCommand("DEND", 20);
    EXPECT_TRUE(download.over(20));

    ktr90::ConversationWatch update;
    update.onCommand("SUPD,x", 0);
    EXPECT_FALSE(update.over(5000));
    update.onCommand("SUPE", 0);
    EXPECT_TRUE(update.over(0));

    ktr90::ConversationWatch cutShort;
    cutShort.onCommand("DEND", 100);
    EXPECT_FALSE(cutShort.over(100 + ktr90::ConversationWatch::kQuietAfterEndMs - 1));
    EXPECT_TRUE(cutShort.over(100 + ktr90::ConversationWatch::kQuietAfterEndMs));
}

TEST(SimCommandLine, ReadsOptions_AndRejectsWhatItDoesNotKnow) {
    const ktr90::SimOptions options = ktr90::parseSimOptions(
        {"--seed", "9", "--fault", "HangUpAt@2", "--fault", "NoLineEnd", "--once", "--baud",
         "115200", "--latency-ms", "16", "--version", "9.99", "--image-out", "img.dat"});
    EXPECT_EQ(options.seed, 9u);
    EXPECT_EQ(options.faults.size(), 2u);
    EXPECT_TRUE(options.logger.once);
    EXPECT_EQ(options.logger.pace.baud, 115200);
    EXPECT_EQ(options.logger.pace.latencyMs, 16);
    EXPECT_EQ(options.logger.imageOutPath, "img.dat");

    const ktr90::Scenario scenario = ktr90::scenarioFor(options);
    EXPECT_EQ(scenario.versionText, "9.99");
    EXPECT_EQ(scenario.faults.size(), 2u);
    EXPECT_EQ(scenario.lapReplies, ktr90::generatedSession(9).lapReplies);

    for (const auto& bad : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"--seed"}, {"--seed", "x"}, {"--baud", "9600x"}, {"--fault", "Nope"}}) {
        EXPECT_THROW(ktr90::parseSimOptions(bad), std::invalid_argument) << bad[0];
    }
}

}  // namespace
