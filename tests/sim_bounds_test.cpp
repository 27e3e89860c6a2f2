// The simulated logger's limits: no option overflows an int or builds
// gigabytes, and a long-running simulator does not grow without end.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/fault.h"
#include "sim/fault_plan.h"
#include "sim/reply_shaping.h"
#include "sim/sim_options.h"
#include "sim/transcript.h"

namespace {

using ktr90::parseFault;

TEST(SimBounds, FaultValuesAndLineOptionsAreBounded) {
    const std::string tooMuch = std::to_string(INT_MAX);
    for (const std::string& fault : std::vector<std::string>{
             "AnswerLate:delay=" + tooMuch, "AnswerLate:delay=600001", "Babble:count=1048577",
             "SplitReply:gap=" + tooMuch, "SplitReply:pieces=" + tooMuch, "NeverAnswer#" + tooMuch,
             "NeverAnswer:after=" + tooMuch, "HangUpAt@" + tooMuch,
             "AnswerLate:delay=99999999999"}) {
        EXPECT_THROW(parseFault(fault), std::invalid_argument) << fault;
    }
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--baud", "-1"},
                                                    {"--baud", "12000001"},
                                                    {"--latency-ms", tooMuch},
                                                    {"--latency-ms", "-3"}}) {
        EXPECT_THROW(ktr90::parseSimOptions(options), std::invalid_argument) << options[0];
    }

    // Two delays at their limit (or many) still make one that fits an int.
    const ktr90::Fault late = parseFault("AnswerLate:delay=600000");
    const std::vector<ktr90::Fault> lates(5000, late);
    const auto writes = ktr90::shapeReply("OK00\r\n", lates);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes.front().delayMs, ktr90::kMaxFaultDelayMs);

    // The largest window of matches still counts without overflowing.
    ktr90::FaultPlan plan({parseFault("NeverAnswer#1000000000:after=1000000000")});
    EXPECT_TRUE(plan.activeFor(1, "DRED").empty());
}

TEST(SimBounds, TheTranscriptIsKeptInMemoryOnlyWhenAskedFor) {
    ktr90::Transcript unkept("", false);
    unkept.add(ktr90::Direction::Received, "DRED\r\n");
    EXPECT_TRUE(unkept.entries().empty());
    EXPECT_TRUE(unkept.waitForCommands(1, 0)) << "commands are still counted";

    ktr90::Transcript kept;
    kept.add(ktr90::Direction::Received, "DRED\r\n");
    EXPECT_EQ(kept.commands(), std::vector<std::string>{"DRED"});

    EXPECT_FALSE(ktr90::parseSimOptions({}).logger.keepTranscript)
        << "the simulator program never reads its transcript back";
}

}  // namespace
