// The three transfers against a logger whose replies come from the fuzzer:
// each write gets the well-formed reply, a damaged one, silence or arbitrary
// bytes. Whatever arrives, a transfer that reports success has files that
// hold exactly the data records it was sent, an update sends the file's lines
// unchanged and in order, and every transfer ends with one result.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/fuzz/require.h"
#include "tests/support/temp_files.h"
#include "tests/support/transfer_harness.h"

namespace {

const std::string kAck = "OK00\r\n";
const std::string kSetEnd = "OK01\r\n";
const std::string kLap = "OK00,0000,0021,0000\r\n";

// What the logger would answer, write by write, to a transfer that goes well.
// clang-format off
const std::vector<std::string> kLogReplies = {
    kAck,  // DSTA,1
    "OK00,0001,FUZZ\r\n", kLap, kLap, kLap, "OK00,0000,0000,0000,0002\r\n", kLap, kSetEnd,
    kAck,  // DCHG
    "OK00,0001,FUZZ\r\n", "OK00,000A\r\n", "OK00,0078,0078,0100,02E6,0019,001E\r\n",
    "OK00,0079,0070,0100,02E6,00FF,001E\r\n", kSetEnd,
    kAck, kAck, kAck};  // DEND three times
// clang-format on
const std::vector<std::string> kModelReplies = {
    kAck, "OK00,012C\r\n", "OK00,0007\r\n", kSetEnd, kAck, kAck, kAck};

// The reply the fuzzer makes of the well-formed one. An input that runs out
// gives zeros: the well-formed conversation.
std::string Shape(FuzzedDataProvider& in, const std::string& wellFormed) {
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 6:
            return "";  // silence
        case 1:
            return in.ConsumeRandomLengthString(96);  // anything at all
        case 2:
            return "\n" + wellFormed;  // a stray line feed
        case 3:
            return wellFormed.substr(0, wellFormed.size() - 2);  // no line end
        case 4:
            return wellFormed + in.ConsumeRandomLengthString(16);  // bytes after it
        case 5:
            return in.PickValueInArray({kAck, kSetEnd, std::string("OK02\r\n"),
                                        std::string("NG00\r\n"), std::string("K00,0001\r\n")});
        default:
            return wellFormed;
    }
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

std::string FuzzPath(const char* name) {
    const std::string path = "/tmp/datadock_fuzz_" + std::to_string(::getpid()) + "_" + name;
    std::remove(path.c_str());
    return path;
}

struct FuzzRun : TransferHarness {
    static constexpr int kStopChecksLimit = 3000;

    FuzzRun() {
        // A conversation that has not ended after this many looks is stopped
        // as a user would; a loop that ignores the stop is broken off by the
        // events' own guard, which throws.
        events.stopWhen = [this] { return events.stopChecks >= kStopChecksLimit; };
    }

    // Runs the transfer on the fuzzer's replies to its writes (what the
    // device did not use stays in its queue), perhaps with a hang-up.
    TransferOutcome converse(FuzzedDataProvider& in, const std::vector<std::string>& wellFormed,
                             const std::function<TransferResult()>& transfer) {
        for (std::size_t i = 0; i < wellFormed.size() + 4; ++i) {
            script.push_back(Shape(in, i < wellFormed.size() ? wellFormed[i] : kAck));
        }
        device->replies.assign(script.begin(), script.end());
        if (in.ConsumeBool()) {
            device->hangUpAt(in.ConsumeIntegralInRange<std::int64_t>(0, 60'000));
        }
        const TransferOutcome outcome = transfer().outcome;
        trace();
        Require(events.results.size() == 1 && events.results[0].outcome == outcome,
                "one result, told once");
        Require(events.busyDepth == 0, "the busy time ends with the transfer");
        Require(device->reads < ScriptedSerialDevice::kRunawayReads, "every receive ends");
        return outcome;
    }

    std::string replyTo(std::size_t write) const {
        return write < script.size() ? script[write] : "";
    }

    // With DATADOCK_FUZZ_TRACE set, a replayed input shows its conversation.
    void trace() const {
        if (std::getenv("DATADOCK_FUZZ_TRACE") == nullptr) {
            return;
        }
        for (std::size_t i = 0; i < device->written.size(); ++i) {
            const std::string reply = replyTo(i);
            std::fprintf(stderr, "%-12s <- ", device->written[i].c_str());
            std::fwrite(reply.data(), 1, reply.size(), stderr);
            std::fputc('\n', stderr);
        }
    }

    // The replies that answered DRED in each data set, split at the set change.
    std::vector<std::vector<std::string>> recordReplies() const {
        std::vector<std::vector<std::string>> sets(1);
        for (std::size_t i = 0; i < device->written.size(); ++i) {
            if (device->written[i] == "DCHG\r\n") {
                sets.emplace_back();
            } else if (device->written[i] == "DRED\r\n") {
                sets.back().push_back(replyTo(i));
            }
        }
        return sets;
    }

    std::vector<std::string> script;
};

// A completed download read each set to its end and wrote a line per data
// record, besides the headings: in the lap file a blank line and a heading
// once past the four summary records, in the log file the interval's line
// with the column heading once past the name.
void Download(FuzzedDataProvider& in, bool model) {
    FuzzRun run;
    const std::vector<std::string> files =
        model ? std::vector{FuzzPath("model.csv")}
              : std::vector{FuzzPath("lap.csv"), FuzzPath("log.csv")};
    const TransferOutcome outcome =
        model ? run.converse(in, kModelReplies, [&] { return run.modelSave(files[0]); })
              : run.converse(in, kLogReplies, [&] { return run.logSave(files[0], files[1]); });
    if (outcome != TransferOutcome::Completed) {
        return;
    }
    const auto sets = run.recordReplies();
    Require(sets.size() == files.size(), "a completed download read one set a file");
    for (std::size_t f = 0; f < files.size(); ++f) {
        // "K00," is a data record to the log download, not to the model download.
        const std::size_t records = CheckCompletedSet(sets[f], !model);
        const std::size_t headings = !model && records > (f == 0 ? 4 : 1) ? 1 : 0;
        Require(LineCount(files[f]) == records + headings, "one file line per data record");
    }
}

void Update(FuzzedDataProvider& in) {
    FuzzRun run;
    std::vector<std::string> lines(in.ConsumeIntegralInRange(2, 6));
    std::string text;
    for (std::string& line : lines) {
        line = "S2" + std::to_string(&line - lines.data()) + "0000ABCD";
        text += line + "\r\n";
    }
    std::vector<std::string> replies = {kAck, kAck, kAck, kAck, "OK00,1.04\r\n"};
    replies.insert(replies.end(), lines.size() + 1, kAck);
    const std::string file = FuzzPath("update.dat");
    std::ofstream(file, std::ios::binary) << text;
    const TransferOutcome outcome = run.converse(in, replies, [&] { return run.update(file); });
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
    if (const int transfer = in.ConsumeIntegralInRange(0, 2); transfer < 2) {
        Download(in, transfer == 1);
    } else {
        Update(in);
    }
    return 0;
}
