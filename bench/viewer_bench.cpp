// The log viewer with the longest log the logger can announce (65,535
// samples, a four-digit hexadecimal count): opening it, redrawing it while
// zooming and panning, and the memory it takes.
//
//   build/release-bench/bench/datadock_viewer_bench   (see README.md beside this file)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <fstream>
#include <tuple>

#include "bench/longest_log.h"
#include "device/log_records.h"
#include "tests/support/temp_files.h"
#include "viewer/comparison_painter.h"
#include "viewer/file_pairing.h"
#include "viewer/lap_comparison.h"
#include "viewer/plot_painter.h"
#include "viewer/qt_canvas.h"

namespace {

const QSize kScreen(1600, 900);

// A crafted pair whose LAP column changes at every sample: 320,000 samples
// cycling through 80,000 laps, so that every sample is a span of its own.
const FilePair& lapEverySample() {
    static const FilePair pair = [] {
        constexpr int kCrafted = 320000, kCraftedLaps = 80000;
        const std::string log = TempPath("bench_lap_every_sample_log.csv"),
                          lap = TempPath("bench_lap_every_sample_lap.csv");
        std::ofstream out(log, std::ios::binary);
        out << "LOG NAME,D01,CRAFTED\r\nSAMPLING INTERVAL(sec),0.01\r\n"
               "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP\r\n";
        std::string time = "00:00.00";
        for (int i = 0; i < kCrafted; ++i, NextRecTime(time, 1)) {
            out << "'" << time << ",0,50," << 10000 + i % 977 << ",7.40,30,31," << i % kCraftedLaps
                << "\r\n";
        }
        std::ofstream laps(lap, std::ios::binary);
        laps << "LOG NAME,D01,CRAFTED\r\nTOTAL,'53:20.00\r\nBEST LAP,'00:00.04\r\n"
                "AVERAGE LAP,'00:00.04\r\n\r\nLAP,LAP TIME\r\n";
        for (int l = 1; l <= kCraftedLaps; ++l) {
            laps << l << ",'00:00.04\r\n";
        }
        return FilePair{log, lap};
    }();
    return pair;
}

LogSession loaded() {
    return std::move(std::get<LogSession>(loadSession(longestLog())));
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::size_t sessionBytes(const LogSession& s) {
    std::size_t bytes = s.log.timesCs.capacity() * sizeof(std::int32_t) +
                        s.log.lapColumn.capacity() * sizeof(std::int32_t);
    for (const auto& values : s.log.values) {
        bytes += values.capacity() * sizeof(float);
    }
    return bytes + s.spans.capacity() * sizeof(LapSpan) + s.figures.capacity() * sizeof(LapFigures);
}

// Reading both files, the laps matched to the samples and the lap table's figures.
void BM_OpenLongestLog(benchmark::State& state) {
    longestLog();
    const long before = peakResidentKiB();
    for (auto _ : state) {
        LogSession session = loaded();
        benchmark::DoNotOptimize(session.figures.data());
        state.counters["session_MB"] = static_cast<double>(sessionBytes(session)) / 1e6;
    }
    state.counters["peak_rss_growth_MB"] = static_cast<double>(peakResidentKiB() - before) / 1024;
    state.counters["peak_rss_MB"] = static_cast<double>(peakResidentKiB()) / 1024;
}
BENCHMARK(BM_OpenLongestLog)->Unit(benchmark::kMillisecond);

// Opening the crafted pair: the lap table's figures must stay linear in the
// spans, not laps times spans.
void BM_OpenLapEverySample(benchmark::State& state) {
    lapEverySample();
    for (auto _ : state) {
        LogSession session = std::move(std::get<LogSession>(loadSession(lapEverySample())));
        benchmark::DoNotOptimize(session.figures.data());
    }
}
BENCHMARK(BM_OpenLapEverySample)->Unit(benchmark::kMillisecond);

// Four sessions of the longest log's length, their laps range(0) samples long
// (so that eight laps, two of each session, can be compared), built in
// memory: RPM and the lap times differ a little from session to session.
std::vector<LogSession> comparedSessions(std::size_t samplesPerLap) {
    std::vector<LogSession> sessions;
    for (int s = 0; s < 4; ++s) {
        LogFile log;
        log.intervalCs = kIntervalCs;
        LapFile laps;
        for (std::size_t i = 0; i < static_cast<std::size_t>(kSamples); ++i) {
            const double phase = static_cast<double>(i % samplesPerLap) * 0.05;
            log.timesCs.push_back(static_cast<std::int32_t>(i) * kIntervalCs);
            const float sample[kChannelCount] = {
                static_cast<float>(100 * std::sin(phase)),
                static_cast<float>(110 * std::cos(phase)),
                static_cast<float>(20000 + 15000 * std::sin(phase * 0.3) + 500 * s),
                7.4f,
                30,
                31};
            for (std::size_t c = 0; c < kChannelCount; ++c) {
                log.values[c].push_back(sample[c]);
            }
            log.lapColumn.push_back(static_cast<std::int32_t>(i / samplesPerLap));
        }
        for (std::size_t lap = 0; lap < kSamples / samplesPerLap; ++lap) {
            laps.lapsCs.push_back(static_cast<int>(samplesPerLap) * kIntervalCs + s * 7 + lap % 5);
        }
        sessions.push_back(makeSession(std::move(log), std::move(laps)));
    }
    return sessions;
}

struct ComparedLaps {
    std::vector<LogSession> sessions;
    std::vector<const LogSession*> pointers;
    std::vector<SessionLap> laps;  // the first two laps of each session
};

ComparedLaps comparedLaps(std::size_t samplesPerLap) {
    ComparedLaps compared{comparedSessions(samplesPerLap), {}, {}};
    for (std::size_t s = 0; s < compared.sessions.size(); ++s) {
        compared.pointers.push_back(&compared.sessions[s]);
        compared.laps.insert(compared.laps.end(), {{s, 1}, {s, 2}});
    }
    return compared;
}

// The lap list of four sessions, eight laps' progress, alignment and variance.
void BM_CompareLaps(benchmark::State& state) {
    const ComparedLaps compared = comparedLaps(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const LapComparison comparison = compareLaps(compared.pointers, compared.laps);
        benchmark::DoNotOptimize(comparison.overlaid.back().variance.data());
    }
}
BENCHMARK(BM_CompareLaps)->Arg(200)->Arg(kSamples / 2)->Unit(benchmark::kMillisecond);

// One frame of those eight laps, every channel and the variance pane.
void BM_RedrawComparison(benchmark::State& state) {
    const ComparedLaps compared = comparedLaps(static_cast<std::size_t>(state.range(0)));
    const LapComparison comparison = compareLaps(compared.pointers, compared.laps);
    QImage screen(kScreen, QImage::Format_ARGB32_Premultiplied);
    PlotView view;
    std::tie(view.startCs, view.endCs) = comparisonRange(comparison);
    for (auto _ : state) {
        QPainter painter(&screen);
        QtCanvas canvas(painter);
        paintComparison(canvas, rectOf(QRectF(QPointF(0, 0), kScreen)), comparison, view);
    }
}
BENCHMARK(BM_RedrawComparison)->Arg(200)->Arg(kSamples / 2)->Unit(benchmark::kMillisecond);

// One frame of the plot at a screen's size, moving through the log as a user
// who zooms and pans does: range(0) is the shown share of the log in 1/1000.
void BM_Redraw(benchmark::State& state) {
    const LogSession session = loaded();
    QImage screen(kScreen, QImage::Format_ARGB32_Premultiplied);
    PlotView view;
    const double whole = session.endCs() - session.startCs();
    const double shown = whole * static_cast<double>(state.range(0)) / 1000;
    int frame = 0;
    for (auto _ : state) {
        view.startCs = std::fmod(frame++ * shown * 0.05, whole - shown + 1);
        view.endCs = view.startCs + shown;
        view.cursorCs = view.startCs + shown / 2;
        QPainter painter(&screen);
        QtCanvas canvas(painter);
        paintPlot(canvas, rectOf(QRectF(QPointF(0, 0), kScreen)), session, view);
    }
}
BENCHMARK(BM_Redraw)->Arg(1000)->Arg(250)->Arg(20)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
