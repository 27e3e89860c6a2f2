// Faults of the simulated logger: their text form, and what each does on the line.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

#include "sim/simulated_logger.h"
#include "tests/support/sim_client.h"

namespace {

using ktr90::Fault;
using ktr90::FaultKind;
using ktr90::FaultTarget;
using ktr90::parseFault;
using ktr90::record;
using ktr90::Scenario;
using ktr90::SimulatedLogger;
using By = FaultTarget::By;

TEST(SimFaultText, ReadsKindTargetTimesAndOptions) {
    const Fault split = parseFault("SplitReply@DRED#3:gap=20");
    EXPECT_EQ(split.kind, FaultKind::SplitReply);
    EXPECT_EQ(split.target.by, By::Command);
    EXPECT_EQ(split.target.command, "DRED");
    EXPECT_EQ(split.times, 3);
    EXPECT_EQ(split.gapMs, 20);
    EXPECT_EQ(split.pieces, 2);

    const Fault hangUp = parseFault("HangUpAt@7");
    EXPECT_EQ(hangUp.target.by, By::Exchange);
    EXPECT_EQ(hangUp.target.exchange, 7);
    EXPECT_EQ(hangUp.times, 0);

    const Fault refuse = parseFault("RefuseHandshake#2");
    EXPECT_EQ(refuse.target.by, By::Handshake);
    EXPECT_EQ(refuse.times, 2);

    const Fault status = parseFault("StatusCode@DSTA,1:status=K00\\x2C,after=4");
    EXPECT_EQ(status.target.command, "DSTA,1");
    EXPECT_EQ(status.status, "K00,");
    EXPECT_EQ(status.after, 4);

    EXPECT_EQ(parseFault("ExtraBytes:bytes=OK00\\r\\n").bytes, "OK00\r\n");
    EXPECT_EQ(parseFault("AnswerLate").target.by, By::EveryReply);
}

TEST(SimFaultText, RejectsWhatItCannotCarryOut) {
    for (const char* text :
         {"", "Unknown@1", "HangUpAt", "HangUpAt@0", "AnswerLate@", "AnswerLate#x",
          "AnswerLate:gap=3", "AnswerLate:delay", "AnswerLate:delay=-5", "SplitReply:pieces=1",
          "ExtraBytes:bytes=\\q", "Babble:count=1x"}) {
        EXPECT_THROW(parseFault(text), std::invalid_argument) << '"' << text << '"';
    }
}

struct Step {
    std::string command;
    std::string reply;  // exactly what arrives; empty: nothing arrives
};

struct WireCase {
    std::string fault;
    std::vector<Step> steps;
};

void PrintTo(const WireCase& wireCase, std::ostream* out) {
    *out << wireCase.fault;
}

Scenario smallSession() {
    Scenario scenario;
    scenario.lapReplies = {record("L1")};
    scenario.sampleReplies = {record("S1")};
    scenario.modelReplies = ktr90::modelRecords({300});
    return scenario;
}

class SimFaultOnWire : public ::testing::TestWithParam<WireCase> {};

TEST_P(SimFaultOnWire, RepliesArriveAsTheFaultMakesThem) {
    Scenario scenario = smallSession();
    scenario.faults = {parseFault(GetParam().fault)};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());

    for (const Step& step : GetParam().steps) {
        client.send(step.command + "\r\n");
        const std::string got =
            step.reply.empty() ? client.readFor(150) : client.readBytes(step.reply.size());
        EXPECT_EQ(got, step.reply) << "reply to " << step.command;
    }
    EXPECT_EQ(client.readFor(30), "") << "nothing beyond";
}

INSTANTIATE_TEST_SUITE_P(
    SimFaults, SimFaultOnWire,
    ::testing::Values(
        WireCase{"StrayLineFeed@2", {{"DSTA,0", "OK00\r\n"}, {"DRED", "\nOK00,012C\r\n"}}},
        WireCase{"ExtraBytes@DSTA:bytes=ZZ", {{"DSTA,0", "OK00\r\nZZ"}, {"DRED", "OK00,012C\r\n"}}},
        WireCase{"NoLineEnd@DEND", {{"DSTA,0", "OK00\r\n"}, {"DEND", "OK00"}}},
        // A refused command is not carried out: the lap set stays current.
        WireCase{"StatusCode@DCHG:status=NG00",
                 {{"DSTA,1", "OK00\r\n"}, {"DCHG", "NG00\r\n"}, {"DRED", "OK00,L1\r\n"}}},
        WireCase{"RefuseHandshake#2",
                 {{"DSTA,1", "NG00\r\n"},
                  {"DSTA,1", "NG00\r\n"},
                  {"DSTA,1", "OK00\r\n"},
                  {"DRED", "OK00,L1\r\n"}}},
        WireCase{"IgnoreHandshake#1", {{"SUPM", ""}, {"SUPM", "OK00\r\n"}, {"SUPS", "OK00\r\n"}}},
        // A lost reply was still carried out: its record is gone.
        WireCase{"NeverAnswer@DRED#1",
                 {{"DSTA,1", "OK00\r\n"}, {"DRED", ""}, {"DRED", "OK01\r\n"}}},
        WireCase{"Babble@1:count=30", {{"DSTA,1", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"}}},
        WireCase{"StatusCode@SUPD#1:after=1,status=NG01",
                 {{"SUPD,a", "OK00\r\n"}, {"SUPD,b", "NG01\r\n"}, {"SUPD,c", "OK00\r\n"}}}),
    [](const ::testing::TestParamInfo<WireCase>& param) {
        return std::string(ktr90::faultKindName(parseFault(param.param.fault).kind)) + "_" +
               std::to_string(param.index);
    });

TEST(SimFaultTiming, AnswerLate_HoldsTheReplyForItsDelay) {
    Scenario scenario;
    scenario.faults = {parseFault("AnswerLate@1:delay=200")};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());

    client.send("DSTA,1\r\n");
    EXPECT_EQ(client.readFor(100), "");
    EXPECT_EQ(client.readLine(), "OK00\r\n");
    const auto entries = logger.transcript();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_GE(entries[1].timeMs - entries[0].timeMs, 200);
}

TEST(SimFaultTiming, SplitReply_ArrivesInPiecesWithGaps) {
    Scenario scenario = smallSession();
    scenario.faults = {parseFault("SplitReply@DRED:pieces=3,gap=60")};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());
    ASSERT_EQ(client.exchange("DSTA,1"), "OK00\r\n");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.exchange("DRED"), "OK00,L1\r\n");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(120));

    std::vector<ktr90::TranscriptEntry> pieces;
    for (const auto& entry : logger.transcript()) {
        if (entry.direction == ktr90::Direction::Sent && entry.bytes != "OK00\r\n") {
            pieces.push_back(entry);
        }
    }
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].bytes + pieces[1].bytes + pieces[2].bytes, "OK00,L1\r\n");
    EXPECT_GE(pieces[2].timeMs - pieces[1].timeMs, 60);
}

TEST(SimFaultHangUp, AtAnExchangeOrOnRequest_TheProgramSeesTheLineGo) {
    Scenario scenario = smallSession();
    scenario.faults = {parseFault("HangUpAt@3")};
    SimulatedLogger atExchange(scenario);
    SimClient client(atExchange.portPath());
    EXPECT_EQ(client.exchange("DSTA,1"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK00,L1\r\n");
    client.send("DRED\r\n");
    EXPECT_TRUE(client.seesHangUp(1000));
    EXPECT_TRUE(atExchange.waitUntilFinished(1000));
    EXPECT_EQ(atExchange.ending(), ktr90::Ending::HungUp);
    EXPECT_EQ(atExchange.receivedCommands().size(), 3u);
    EXPECT_EQ(atExchange.transcript().back().direction, ktr90::Direction::Note);

    SimulatedLogger onRequest(Scenario{});
    SimClient second(onRequest.portPath());
    EXPECT_EQ(second.exchange("DSTA,1"), "OK00\r\n");
    onRequest.hangUpNow();
    EXPECT_TRUE(second.seesHangUp(1000));
    EXPECT_TRUE(onRequest.finished());
}

TEST(SimFaultRefusal, ARefusedLineIsNotStoredInTheImage) {
    Scenario scenario;
    scenario.faults = {parseFault("StatusCode@SUPD#1:after=1")};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());
    client.exchange("SUPD,a");
    client.exchange("SUPD,b");
    client.exchange("SUPD,c");
    EXPECT_EQ(logger.receivedImage(), (std::vector<std::string>{"a", "c"}));
}

}  // namespace
