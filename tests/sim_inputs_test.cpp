// What the simulated logger is told and holds: fault texts and options within
// their bounds, scenario files, the generated session, and a transcript that
// does not grow in a long-running simulator.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/fault.h"
#include "sim/fault_plan.h"
#include "sim/generated_session.h"
#include "sim/reply_shaping.h"
#include "sim/scenario_file.h"
#include "sim/sim_options.h"
#include "sim/transcript.h"

namespace {

using ktr90::parseFault;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using By = ktr90::FaultTarget::By;

TEST(SimInputs, FaultTextsReadEscapesAndRefuseWhatCannotBeCarriedOutOrOverflows) {
    const ktr90::Fault status = parseFault("StatusCode@DSTA,1:status=K00\\x2C,after=4");
    EXPECT_EQ(status.target.by, By::Command);
    EXPECT_EQ(status.target.command, "DSTA,1");
    EXPECT_EQ(status.status, "K00,");
    EXPECT_EQ(status.after, 4);
    EXPECT_EQ(parseFault("AnswerLate").target.by, By::EveryReply);

    const std::string tooMuch = std::to_string(INT_MAX);
    for (const std::string& fault : std::vector<std::string>{
             "", "Unknown@1", "HangUpAt", "AnswerLate#x", "AnswerLate:gap=3", "AnswerLate:delay=-5",
             "SplitReply:pieces=1", "ExtraBytes:bytes=\\q", "AnswerLate:delay=" + tooMuch,
             "AnswerLate:delay=600001", "Babble:count=1048577", "SplitReply:gap=" + tooMuch,
             "SplitReply:pieces=" + tooMuch, "NeverAnswer#" + tooMuch,
             "NeverAnswer:after=" + tooMuch, "HangUpAt@" + tooMuch,
             "AnswerLate:delay=99999999999"}) {
        EXPECT_THROW(parseFault(fault), std::invalid_argument) << '"' << fault << '"';
    }
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--baud", "-1"},
                                                    {"--baud", "12000001"},
                                                    {"--latency-ms", tooMuch},
                                                    {"--latency-ms", "-3"}}) {
        EXPECT_THROW(ktr90::parseSimOptions(options), std::invalid_argument) << options[0];
    }

    // Many delays at their limit still add up to one that fits an int.
    const std::vector<ktr90::Fault> lates(5000, parseFault("AnswerLate:delay=600000"));
    const auto writes = ktr90::shapeReply("OK00\r\n", lates);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes.front().delayMs, ktr90::kMaxFaultDelayMs);
    // The largest window of matches still counts without overflowing.
    ktr90::FaultPlan plan({parseFault("NeverAnswer#1000000000:after=1000000000")});
    EXPECT_TRUE(plan.activeFor(1, "DRED").empty());
}

TEST(SimInputs, TheTranscriptIsKeptInMemoryOnlyWhenAskedFor) {
    ktr90::Transcript unkept("", false);
    unkept.add(ktr90::Direction::Received, "DRED\r\n");
    EXPECT_TRUE(unkept.entries().empty());
    EXPECT_TRUE(unkept.waitForCommands(1, 0)) << "commands are still counted";
    EXPECT_FALSE(ktr90::parseSimOptions({}).logger.keepTranscript)
        << "the simulator program never reads its transcript back";
}

TEST(SimInputs, ScenarioFileKeepsPayloadsVerbatimAndNamesTheLineAtFault) {
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

    EXPECT_THAT([] { ktr90::parseScenarioText("lap x\nmodel 65536\n"); },
                ThrowsMessage<std::invalid_argument>(HasSubstr("line 2")));
}

// Field n (from 0) of a record "OK00,AAAA,BBBB,...", read as hexadecimal.
unsigned HexField(const std::string& record, std::size_t n) {
    return static_cast<unsigned>(std::stoul(record.substr(5 + n * 5, 4), nullptr, 16));
}

unsigned Hundredths(const std::string& timeRecord) {
    return HexField(timeRecord, 0) * 6000 + HexField(timeRecord, 1) * 100 + HexField(timeRecord, 2);
}

// The lap set's total and best lap agree with its laps, and lap record 5
// announces the samples the sample set holds; one seed, one session.
TEST(SimInputs, GeneratedSessionIsConsistentAndRepeatable) {
    const ktr90::Scenario session = ktr90::generatedSession(25);
    const auto& laps = session.lapReplies;
    const auto& samples = session.sampleReplies;
    ASSERT_GE(laps.size(), 6u);
    ASSERT_GE(samples.size(), 3u);
    EXPECT_EQ(HexField(laps[4], 3), samples.size() - 2) << "sample count in lap record 5";
    std::vector<unsigned> lapTimes(laps.size() - 5);
    std::transform(laps.begin() + 5, laps.end(), lapTimes.begin(), Hundredths);
    EXPECT_EQ(Hundredths(laps[1]), std::accumulate(lapTimes.begin(), lapTimes.end(), 0u));
    EXPECT_EQ(Hundredths(laps[2]), *std::min_element(lapTimes.begin(), lapTimes.end()));
    EXPECT_EQ(samples[0], laps[0]) << "both sets carry the same name";

    EXPECT_EQ(laps, ktr90::generatedSession(25).lapReplies);
    EXPECT_EQ(samples, ktr90::generatedSession(25).sampleReplies);
    EXPECT_NE(samples, ktr90::generatedSession(26).sampleReplies);
}

}  // namespace
