// The three transfers through the window's logic, against a logger whose
// replies come from the fuzzer: each write gets the well-formed reply, a
// damaged one, silence or arbitrary bytes. Whatever arrives, a transfer that
// reports success has files that hold exactly the data records it was sent,
// an update sends the file's lines unchanged and in order, and the port is
// closed at the end.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/dlg_harness.h"
#include "tests/support/temp_files.h"
#include "tests/fuzz/require.h"

namespace {

const std::string kAck = "OK00\r\n";
const std::string kSetEnd = "OK01\r\n";

// What the logger would answer, write by write, to a transfer that goes well.
std::vector<std::string> WellFormedLogReplies() {
    return {kAck,
            "OK00,0001,FUZZ\r\n", "OK00,0000,0021,0000\r\n", "OK00,0000,0021,0000\r\n",
            "OK00,0000,0021,0000\r\n", "OK00,0000,0000,0000,0002\r\n", "OK00,0000,0021,0000\r\n",
            kSetEnd, kAck,
            "OK00,0001,FUZZ\r\n", "OK00,000A\r\n", "OK00,0078,0078,0100,02E6,0019,001E\r\n",
            "OK00,0079,0070,0100,02E6,00FF,001E\r\n", kSetEnd, kAck, kAck, kAck};
}
std::vector<std::string> WellFormedModelReplies() {
    return {kAck, "OK00,012C\r\n", "OK00,0007\r\n", kSetEnd, kAck, kAck, kAck};
}
std::vector<std::string> WellFormedUpdateReplies(std::size_t lines) {
    std::vector<std::string> replies = {kAck, kAck, kAck, kAck, "OK00,1.04\r\n"};
    replies.insert(replies.end(), lines, kAck);
    replies.push_back(kAck);
    return replies;
}

// The reply the fuzzer makes of the well-formed one.
std::string Shape(FuzzedDataProvider& in, const std::string& wellFormed) {
    // An input that runs out gives zeros: the well-formed conversation.
    switch (in.ConsumeIntegralInRange(0, 9)) {
    case 6: return "";                                         // silence
    case 1: return in.ConsumeRandomLengthString(96);           // anything at all
    case 2: return "\n" + wellFormed;                          // a stray line feed
    case 3: return wellFormed.substr(0, wellFormed.size() - 2);  // no line end
    case 4: return wellFormed + in.ConsumeRandomLengthString(16);  // bytes after it
    case 5: return in.PickValueInArray({kAck, kSetEnd, std::string("OK02\r\n"),
                                         std::string("NG00\r\n"), std::string("K00,0001\r\n")});
    default: return wellFormed;
    }
}

// The replies given to the writes, in write order; what the device did not
// use stays in its queue.
std::vector<std::string> Script(FuzzedDataProvider& in, const std::vector<std::string>& wellFormed,
                                ScriptedSerialDevice& device) {
    std::vector<std::string> script;
    for (std::size_t i = 0; i < wellFormed.size() + 4; ++i) {
        script.push_back(Shape(in, i < wellFormed.size() ? wellFormed[i] : kAck));
    }
    device.replies.assign(script.begin(), script.end());
    if (in.ConsumeBool()) {
        device.hangUpAt(in.ConsumeIntegralInRange<std::int64_t>(0, 60'000));
    }
    return script;
}

// One reply line that begins with the status: the logger's line end may be
// damaged and the character after the status is not checked, but a second
// line, or a bare acknowledgement, is a reply to some other command. Stray
// line feeds in front are dropped, and the received text ends at a NUL byte,
// as the port's text does.
bool IsSingleLine(std::string reply, const std::string& status) {
    reply = reply.substr(0, reply.find('\0'));
    reply.erase(0, reply.find_first_not_of('\n'));
    return reply.starts_with(status) && reply != kAck &&
           std::count(reply.begin(), reply.end(), '\n') == 1;
}

// The replies that answered DRED in each data set, split at the set change.
std::vector<std::vector<std::string>> RecordReplies(const ScriptedSerialDevice& device,
                                                    const std::vector<std::string>& script) {
    std::vector<std::vector<std::string>> sets(1);
    for (std::size_t i = 0; i < device.written.size(); ++i) {
        const std::string reply = i < script.size() ? script[i] : "";
        if (device.written[i] == "DCHG\r\n") {
            sets.emplace_back();
        } else if (device.written[i] == "DRED\r\n") {
            sets.back().push_back(reply);
        }
    }
    return sets;
}

// A completed set: every reply one data record, the last one the set's end.
// Returns the number of data records.
std::size_t CheckCompletedSet(const std::vector<std::string>& replies, bool alternateStatusToo) {
    Require(!replies.empty() && IsSingleLine(replies.back(), "OK01"),
            "a completed set ended with OK01");
    for (std::size_t i = 0; i + 1 < replies.size(); ++i) {
        Require(IsSingleLine(replies[i], "OK00") ||
                    (alternateStatusToo && IsSingleLine(replies[i], "K00,")),
                "every line written came from one data record");
    }
    return replies.size() - 1;
}

std::size_t LineCount(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

// With DATADOCK_FUZZ_TRACE set, a replayed input shows its conversation.
void Trace(const ScriptedSerialDevice& device, const std::vector<std::string>& script) {
    if (std::getenv("DATADOCK_FUZZ_TRACE") == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < device.written.size(); ++i) {
        const std::string reply = i < script.size() ? script[i] : "";
        std::fprintf(stderr, "%-12s <- ", device.written[i].c_str());
        std::fwrite(reply.data(), 1, reply.size(), stderr);
        std::fputc('\n', stderr);
    }
}

struct FuzzRun : DlgHarness {
    explicit FuzzRun(bool modelSave) : DlgHarness({"/dev/ttyUSB0"}, modelSave) {
        // A conversation that has not ended after this many pumps is stopped
        // as a user would; a loop that ignores the stop is a fault.
        platform.onPump = [this](int pumps) {
            if (pumps == kPumpLimit) {
                dlg.OnStopTransfer();
            }
            Require(pumps < 4 * kPumpLimit, "a stop ends the transfer");
        };
    }
    static constexpr int kPumpLimit = 3000;
};

std::string FuzzPath(const char* name) {
    const std::string path = "/tmp/datadock_fuzz_" + std::to_string(::getpid()) + "_" + name;
    std::remove(path.c_str());
    return path;
}

void CheckEnd(const FuzzRun& run) {
    Require(!run.device->isOpen, "the port is closed at the end");
    Require(run.device->reads < ScriptedSerialDevice::kRunawayReads, "every receive ends");
}

void LogSave(FuzzedDataProvider& in) {
    FuzzRun run(false);
    const std::string lap = FuzzPath("lap.csv"), log = FuzzPath("log.csv");
    run.platform.fileAnswers = {lap, log};
    const auto script = Script(in, WellFormedLogReplies(), *run.device);
    const TransferOutcome outcome = run.dlg.OnLogSave();
    Trace(*run.device, script);
    CheckEnd(run);
    if (outcome != TransferOutcome::Completed) {
        return;
    }
    const auto sets = RecordReplies(*run.device, script);
    Require(sets.size() == 2, "a completed log save read two sets");
    const std::size_t laps = CheckCompletedSet(sets[0], true);
    const std::size_t samples = CheckCompletedSet(sets[1], true);
    // The lap file: a line for each of the first four records, a blank line
    // and a heading with the fifth, then a line per lap. The log file: the
    // name, then the interval with the column heading, then a line per sample.
    const std::size_t lapLines = laps <= 4 ? laps : 6 + laps - 5;
    const std::size_t logLines = samples <= 1 ? samples : 3 + samples - 2;
    Require(LineCount(lap) == lapLines, "one lap file line per lap record");
    Require(LineCount(log) == logLines, "one log file line per sample record");
}

void ModelSave(FuzzedDataProvider& in) {
    FuzzRun run(true);
    const std::string out = FuzzPath("model.csv");
    run.platform.fileAnswers = {out};
    const auto script = Script(in, WellFormedModelReplies(), *run.device);
    const TransferOutcome outcome = run.dlg.OnModelSave();
    Trace(*run.device, script);
    CheckEnd(run);
    if (outcome != TransferOutcome::Completed) {
        return;
    }
    const auto sets = RecordReplies(*run.device, script);
    Require(sets.size() == 1, "a model save reads one set");
    const std::size_t values = CheckCompletedSet(sets[0], false);
    Require(LineCount(out) == values, "one model line per model record");
}

void Update(FuzzedDataProvider& in) {
    FuzzRun run(false);
    std::vector<std::string> lines(in.ConsumeIntegralInRange(2, 6));
    std::string text;
    for (std::string& line : lines) {
        line = "S2" + std::to_string(&line - lines.data()) + "0000ABCD";
        text += line + "\r\n";
    }
    const std::string file = FuzzPath("update.dat");
    std::ofstream(file, std::ios::binary) << text;
    run.platform.fileAnswers = {file};
    Script(in, WellFormedUpdateReplies(lines.size()), *run.device);
    const TransferOutcome outcome = run.dlg.OnSoftwareUpdate();
    CheckEnd(run);
    std::vector<std::string> sent;
    for (const std::string& write : run.device->written) {
        if (write.starts_with("SUPD,")) {
            sent.push_back(write.substr(5, write.size() - 7));
            Require(write.ends_with("\r\n"), "an update line ends with CR LF");
        }
    }
    Require(sent.size() <= lines.size() && std::equal(sent.begin(), sent.end(), lines.begin()),
            "update lines go unchanged, in order, each once");
    if (outcome == TransferOutcome::Completed) {
        Require(sent == lines, "a completed update sent every line");
        Require(run.device->written.back() == "SUPE\r\n", "a completed update ends with SUPE");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0: LogSave(in); break;
    case 1: ModelSave(in); break;
    default: Update(in); break;
    }
    return 0;
}
