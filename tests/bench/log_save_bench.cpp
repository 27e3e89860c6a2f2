// How fast LOG SAVE takes the samples off a paced line, against what the line
// itself allows: every exchange costs its bytes at 10 bits each plus the
// cable's latency. The program should add next to nothing on top.
//
//   build/release-bench/tests/bench/datadock_bench   (see README.md beside this file)
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "app/datadock_dlg.h"
#include "device/protocol.h"
#include "sim/generated_session.h"
#include "sim/paced_writer.h"
#include "sim/simulated_logger.h"
#include "tests/support/fake_dialog_platform.h"
#include "tests/support/temp_files.h"

namespace {

constexpr std::size_t kSamples = 300;
constexpr int kBaud = 115200;

ktr90::Scenario BenchSession() {
    ktr90::Scenario s = ktr90::generatedSession(7);
    // Keep the two header records and kSamples samples.
    s.sampleReplies.resize(std::min(s.sampleReplies.size(), kSamples + 2));
    return s;
}

// The time the line needs for the whole download: each DRED (and the DCHG)
// out, each reply back, and the latency the cable adds to every reply.
std::chrono::microseconds LineTime(const ktr90::Scenario& s, const ktr90::LinePace& pace) {
    std::size_t bytes = 0;
    std::size_t replies = 0;
    for (const auto* set : {&s.lapReplies, &s.sampleReplies}) {
        for (const std::string& reply : *set) {
            bytes += reply.size() + std::string(proto::kReadRecord).size();
            ++replies;
        }
        bytes += std::string("OK01\r\n").size() + std::string(proto::kReadRecord).size();
        ++replies;
    }
    bytes += std::string(proto::kChangeSet).size() + std::string(proto::kAck).size();
    ++replies;
    return pace.transmitTime(bytes) + std::chrono::milliseconds(pace.latencyMs) * replies;
}

void BM_LogSaveOnPacedLine(benchmark::State& state) {
    const ktr90::Scenario scenario = BenchSession();
    const ktr90::LinePace pace{kBaud, static_cast<int>(state.range(0))};
    const std::string lap = TempPath("bench_lap.csv"), log = TempPath("bench_log.csv");
    for (auto _ : state) {
        state.PauseTiming();
        ktr90::LoggerOptions options;
        options.pace = pace;
        ktr90::SimulatedLogger logger(scenario, options);
        FakeDialogPlatform platform;
        CDatadockDlg dlg(
            platform, [&] { return std::vector<std::string>{logger.portPath()}; },
            [] { return std::make_unique<SerialPortAPI>(); });
        dlg.OnInitDialog();
        std::string reply;
        if (dlg.ConnectPort() != 1) {
            state.SkipWithError("the port did not open");
            break;
        }
        dlg.m_pSerial->SetRecvTimeout(10);
        dlg.m_pSerial->SendTo("DSTA,1\r\n");
        dlg.m_pSerial->recvString(reply);
        state.ResumeTiming();

        const int result = dlg.DownloadLogData(lap, log);

        state.PauseTiming();
        if (result != kResultCompleted) {
            state.SkipWithError("the download did not complete");
        }
        dlg.RestoreMainLayout();
        dlg.OnDestroy();
        state.ResumeTiming();
    }
    const double lineSeconds = std::chrono::duration<double>(LineTime(scenario, pace)).count();
    state.counters["line_s"] = lineSeconds;
    state.counters["samples_per_s"] =
        benchmark::Counter(static_cast<double>(kSamples) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

}  // namespace

// Latency of the cable: 1 ms with the low-latency setting, 16 ms without.
BENCHMARK(BM_LogSaveOnPacedLine)
    ->Arg(1)
    ->Arg(16)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
