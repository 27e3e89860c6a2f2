// How fast LOG SAVE takes the samples off a paced line, against what the line
// itself allows (line_s): every exchange costs its bytes at 10 bits each plus
// the cable's latency. The program should add next to nothing on top.
//
//   build/release-bench/bench/datadock_bench   (see README.md beside this file)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

#include "device/log_save.h"
#include "device/protocol.h"
#include "sim/simulated_logger.h"
#include "tests/support/recording_events.h"
#include "tests/support/temp_files.h"

namespace {

constexpr std::size_t kSamples = 300;

// The clock runs from the first record exchange to the result: the
// handshake's pause and the closing are the logger's rhythm, not the
// program's work.
struct TimedEvents : RecordingEvents {
    explicit TimedEvents(benchmark::State& state) : m_state(state) {}
    void Busy(bool busy) override {
        if (busy) {
            m_state.ResumeTiming();
        }
    }
    void Finished(const TransferResult& result) override {
        m_state.PauseTiming();
        RecordingEvents::Finished(result);
    }
    benchmark::State& m_state;
};

// Each DRED (and the DCHG) out, each reply back with the set ends, and the
// cable's latency on every reply.
std::chrono::microseconds LineTime(const ktr90::Scenario& s, const ktr90::LinePace& pace) {
    const std::size_t dred = std::strlen(proto::kReadRecord);
    std::size_t bytes = std::strlen(proto::kChangeSet) + std::strlen(proto::kAck);
    std::size_t replies = 1;
    for (const auto* set : {&s.lapReplies, &s.sampleReplies}) {
        for (const std::string& reply : *set) {
            bytes += reply.size() + dred;
        }
        bytes += std::strlen("OK01\r\n") + dred;
        replies += set->size() + 1;
    }
    return pace.transmitTime(bytes) + std::chrono::milliseconds(pace.latencyMs) * replies;
}

// range(0): the cable's latency, 1 ms with the low-latency setting, 16 ms without.
void BM_LogSaveOnPacedLine(benchmark::State& state) {
    ktr90::Scenario scenario = ktr90::generatedSession(7);
    scenario.sampleReplies.resize(std::min(scenario.sampleReplies.size(), 2 + kSamples));
    const ktr90::LinePace pace{115200, static_cast<int>(state.range(0))};
    const std::string lap = TempPath("bench_lap.csv"), log = TempPath("bench_log.csv");
    for (auto _ : state) {
        state.PauseTiming();
        ktr90::LoggerOptions options;
        options.pace = pace;
        ktr90::SimulatedLogger logger(scenario, options);
        SerialPortAPI port;
        port.SetPortName(logger.portPath());
        if (port.TryOpen() != 1) {
            state.SkipWithError("the port did not open");
            break;
        }
        TimedEvents events(state);
        const TransferResult result = LogSave(port, systemClock(), events).Run(lap, log);
        if (result.outcome != TransferOutcome::Completed) {
            state.SkipWithError("the download did not complete");
        }
        port.TryClose();
        state.ResumeTiming();
    }
    state.counters["line_s"] = std::chrono::duration<double>(LineTime(scenario, pace)).count();
    state.counters["samples_per_s"] = benchmark::Counter(
        static_cast<double>(kSamples * state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_LogSaveOnPacedLine)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
