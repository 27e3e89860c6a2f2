// Faults of the simulated logger: what each does on the line (their texts are
// read in sim_inputs_test).
#include <gtest/gtest.h>

#include <chrono>

#include "sim/simulated_logger.h"
#include "tests/support/sim_client.h"

namespace {

using ktr90::parseFault;

struct Step {
    std::string command;
    std::string reply;  // exactly what arrives; empty: nothing within 150 ms
    int lateMs = 0;     // the reply is complete no sooner than this after the command
};

struct WireCase {
    const char* fault;
    std::vector<Step> steps;
    bool hangsUp = false;
};

TEST(SimFaultOnWire, EachKindShapesTheRepliesAsItsNameSays) {
    const std::string ok = "OK00\r\n", lap = "OK00,L1\r\n", model = "OK00,012C\r\n";
    const WireCase cases[] = {
        {"AnswerLate@1:delay=200", {{"DSTA,1", ok, 200}}},
        {"SplitReply@DRED:pieces=3,gap=100", {{"DSTA,1", ok}, {"DRED", lap, 200}}},
        // A lost reply was still carried out: its record is gone.
        {"NeverAnswer@DRED#1", {{"DSTA,1", ok}, {"DRED", ""}, {"DRED", "OK01\r\n"}}},
        {"StrayLineFeed@2", {{"DSTA,0", ok}, {"DRED", "\n" + model}}},
        {"ExtraBytes@DSTA:bytes=ZZ", {{"DSTA,0", ok + "ZZ"}, {"DRED", model}}},
        {"NoLineEnd@DEND", {{"DSTA,0", ok}, {"DEND", "OK00"}}},
        // A refused command is not carried out: the lap set stays current.
        {"StatusCode@DCHG:status=NG01", {{"DSTA,1", ok}, {"DCHG", "NG01\r\n"}, {"DRED", lap}}},
        {"RefuseHandshake#2",
         {{"DSTA,1", "NG00\r\n"}, {"DSTA,1", "NG00\r\n"}, {"DSTA,1", ok}, {"DRED", lap}}},
        {"IgnoreHandshake#1", {{"SUPM", ""}, {"SUPM", ok}}},
        {"Babble@1:count=5", {{"DSTA,1", "ABCDE"}}},
        {"HangUpAt@2", {{"DSTA,1", ok}, {"DRED", ""}}, true},
    };
    for (const WireCase& wireCase : cases) {
        SCOPED_TRACE(wireCase.fault);
        ktr90::Scenario scenario;
        scenario.lapReplies = {lap};
        scenario.modelReplies = {model};
        scenario.faults = {parseFault(wireCase.fault)};
        ktr90::SimulatedLogger logger(scenario);
        SimClient client(logger.portPath());
        for (const Step& step : wireCase.steps) {
            const auto start = std::chrono::steady_clock::now();
            client.send(step.command + "\r\n");
            EXPECT_EQ(
                step.reply.empty() ? client.readFor(150) : client.readBytes(step.reply.size()),
                step.reply)
                << "reply to " << step.command;
            EXPECT_GE(std::chrono::steady_clock::now() - start,
                      std::chrono::milliseconds(step.lateMs));
        }
        EXPECT_EQ(client.readFor(30), "") << "nothing beyond";
        EXPECT_EQ(client.hungUp(), wireCase.hangsUp);
    }
}

}  // namespace
