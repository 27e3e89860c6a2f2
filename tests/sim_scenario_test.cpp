// What the simulated logger holds: scenario files and the generated session.
#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/generated_session.h"
#include "sim/scenario_file.h"

namespace {

TEST(SimScenarioFile, KeepsPayloadsVerbatimWithEscapesAndModelValues_AndNamesTheLineAtFault) {
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

    try {
        ktr90::parseScenarioText("lap x\nmodel 65536\n");
        ADD_FAILURE() << "a model value out of range was taken";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
}

TEST(SimGeneratedSession, SameSeedSameSession_OtherSeedOtherSession) {
    const ktr90::Scenario first = ktr90::generatedSession(3);
    EXPECT_EQ(first.lapReplies, ktr90::generatedSession(3).lapReplies);
    EXPECT_EQ(first.sampleReplies, ktr90::generatedSession(3).sampleReplies);
    EXPECT_NE(first.sampleReplies, ktr90::generatedSession(4).sampleReplies);
}

}  // namespace
