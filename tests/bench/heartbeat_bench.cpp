// How alive the window stays while a transfer runs inside its click handler:
// a 10 ms timer beats on the window's thread and the longest gap between its
// beats is what a user would feel as a frozen window. The real window and
// logic talk to the simulated logger on a line paced at 115200 baud. Target:
// no gap over 100 ms in any scenario.
//
//   build/release-bench/tests/bench/datadock_heartbeat_bench [passes]   (see README.md)
//
// The first row beats with no transfer at all: what the machine alone costs.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/qt/datadock_window.h"
#include "sim/fault.h"
#include "sim/generated_session.h"
#include "sim/simulated_logger.h"
#include "tests/support/temp_files.h"

namespace {

constexpr int kBeatMs = 10;
constexpr qint64 kTargetGapMs = 100;
constexpr int kUpdateRecords = 300;
constexpr std::size_t kSamples = 300;

// Beats every 10 ms while started; the gap is measured up to stop() too, so
// a handler that blocks at its very end is not missed.
class Heartbeat {
public:
    Heartbeat() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kBeatMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { beat(); });
    }
    void start() {
        m_clock.start();
        m_last = 0;
        m_longest = 0;
        m_timer.start();
    }
    void stop() {
        beat();
        m_timer.stop();
    }
    qint64 longestGapMs() const { return m_longest / 1000000; }

private:
    void beat() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

constexpr int kIdleButton = 0;  // no transfer: the baseline of the machine itself
constexpr int kIdleMs = 5000;

// The same 10 ms beat on a plain thread of its own, outside Qt and the
// transfer: a long gap here too means the machine, not the window, stalled.
class MachineBeat {
public:
    MachineBeat()
        : m_thread([this] {
              auto last = std::chrono::steady_clock::now();
              while (!m_stop) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(kBeatMs));
                  const auto now = std::chrono::steady_clock::now();
                  const auto gap =
                      std::chrono::duration_cast<std::chrono::milliseconds>(now - last);
                  m_longestMs = std::max<qint64>(m_longestMs, gap.count());
                  last = now;
              }
          }) {}
    ~MachineBeat() {
        m_stop = true;
        m_thread.join();
    }
    qint64 longestGapMs() const { return m_longestMs; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<qint64> m_longestMs{0};
    std::thread m_thread;
};

struct BenchScenario {
    const char* name;
    int button;  // kIdleButton: the window only waits
    ktr90::Scenario logger;
    std::vector<std::string> fileAnswers;  // one path for each file dialog, in order
    int cancelAfterMs = 0;                 // 0: let the transfer end by itself
};

struct Measurement {
    qint64 durationMs = 0;
    qint64 longestGapMs = 0;
    qint64 machineGapMs = 0;  // the plain thread's longest gap meanwhile
    qint64 stopTookMs = -1;   // from the Cancel click to the handler's return
    std::string outcome;
};

// A session cut to kSamples samples after its two header records.
ktr90::Scenario Session(std::vector<const char*> faults = {}) {
    ktr90::Scenario s = ktr90::generatedSession(7);
    s.sampleReplies.resize(std::min(s.sampleReplies.size(), kSamples + 2));
    for (const char* fault : faults) {
        s.faults.push_back(ktr90::parseFault(fault));
    }
    return s;
}

// An image of kUpdateRecords S2 records of 16 bytes each, with checksums.
std::string UpdateImage() {
    std::string image = "S00F000044415441\r\n";
    char line[64];
    for (int record = 0; record < kUpdateRecords; ++record) {
        const unsigned address = static_cast<unsigned>(record) * 16;
        unsigned sum = 0x14 + (address >> 16) + ((address >> 8) & 0xFF) + (address & 0xFF);
        std::string data;
        for (unsigned i = 0; i < 16; ++i) {
            const unsigned byte = (address + i * 7) & 0xFF;
            sum += byte;
            std::snprintf(line, sizeof line, "%02X", byte);
            data += line;
        }
        std::snprintf(line, sizeof line, "S214%06X%s%02X\r\n", address, data.c_str(), ~sum & 0xFF);
        image += line;
    }
    return image + "S9030000FC\r\n";
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

void Click(DatadockWindow& window, int id) {
    qobject_cast<QAbstractButton*>(window.control(id))->click();
}

// File dialogs get the given paths in turn, questions Yes; the last message
// box's text is the outcome.
void AnswerEverything(DatadockWindow& window, std::vector<std::string> paths,
                      std::string& outcome) {
    window.answerFileDialogsWith(
        [paths = std::move(paths)](const FileDialogRequest&) mutable -> std::optional<std::string> {
            if (paths.empty()) {
                return std::nullopt;
            }
            std::string path = paths.front();
            paths.erase(paths.begin());
            return path;
        });
    outcome = "no message";
    window.answerMessageBoxesWith(
        [&outcome](const ShownMessageBox& box) { outcome = OneLine(box.text); });
    window.answerQuestionsWith([](const std::string&) { return true; });
}

Measurement Run(const BenchScenario& bench) {
    ktr90::LoggerOptions options;
    options.pace = ktr90::LinePace{115200, 1};
    ktr90::SimulatedLogger logger(bench.logger, options);

    DatadockWindow window;
    Measurement m;
    AnswerEverything(window, bench.fileAnswers, m.outcome);
    CDatadockDlg logic(
        window, [&] { return std::vector<std::string>{logger.portPath()}; },
        [] { return std::make_unique<SerialPortAPI>(); });
    logic.EnableModelSave();
    window.attachLogic(logic);
    window.initDialog();
    window.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    qint64 cancelledAt = -1;
    QTimer cancel;
    cancel.setSingleShot(true);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        cancelledAt = clock.elapsed();
        Click(window, ctl::kBtnCancel);
    });

    Heartbeat heartbeat;
    const MachineBeat machine;
    heartbeat.start();
    clock.start();
    if (bench.cancelAfterMs > 0) {
        cancel.start(bench.cancelAfterMs);
    }
    if (bench.button == kIdleButton) {
        QEventLoop idle;
        QTimer::singleShot(kIdleMs, &idle, &QEventLoop::quit);
        idle.exec();
        m.outcome = "no transfer";
    } else {
        Click(window, bench.button);
    }
    m.durationMs = clock.elapsed();
    heartbeat.stop();
    if (cancelledAt >= 0) {
        m.stopTookMs = m.durationMs - cancelledAt;
        if (m.outcome == "no message") {
            m.outcome = "stopped by Cancel";
        }
    }
    m.longestGapMs = heartbeat.longestGapMs();
    m.machineGapMs = machine.longestGapMs();
    window.detachLogic();
    return m;
}

std::vector<BenchScenario> Scenarios() {
    const std::string lap = TempPath("heartbeat_lap.csv");
    const std::string log = TempPath("heartbeat_log.csv");
    const std::string model = TempPath("heartbeat_model.csv");
    const std::string image = WriteFileBytes("heartbeat_update.dat", UpdateImage());
    std::vector<BenchScenario> all;
    all.push_back({"idle (baseline)", kIdleButton, Session(), {}});
    all.push_back({"LOG SAVE", ctl::kBtnLogSave, Session(), {lap, log}});
    all.push_back({"MODEL SAVE", ctl::kBtnModelSave, Session(), {model}});
    all.push_back({"SOFTWARE UPDATE", ctl::kBtnUpdate, Session(), {image}});
    all.push_back(
        {"silent record", ctl::kBtnLogSave, Session({"NeverAnswer@DRED:after=20"}), {lap, log}});
    all.push_back(
        {"switched-off logger", ctl::kBtnLogSave, Session({"IgnoreHandshake"}), {lap, log}, 5000});
    all.push_back(
        {"refused handshake", ctl::kBtnLogSave, Session({"RefuseHandshake#3"}), {lap, log}});
    return all;
}

void PrintHeader() {
    std::printf("%-20s %10s %12s %12s %10s  %s\n", "scenario", "duration", "longest gap",
                "machine gap", "stop took", "outcome");
}

void PrintRow(const char* name, const Measurement& m) {
    const std::string stop = m.stopTookMs >= 0 ? std::to_string(m.stopTookMs) + " ms" : "-";
    std::printf("%-20s %7lld ms %9lld ms %9lld ms %10s  %s\n", name,
                static_cast<long long>(m.durationMs), static_cast<long long>(m.longestGapMs),
                static_cast<long long>(m.machineGapMs), stop.c_str(), m.outcome.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    PrintHeader();
    bool allWithinTarget = true;
    for (int pass = 0; pass < passes; ++pass) {
        for (const BenchScenario& bench : Scenarios()) {
            const Measurement m = Run(bench);
            PrintRow(bench.name, m);
            allWithinTarget = allWithinTarget && m.longestGapMs <= kTargetGapMs;
        }
    }
    for (const char* name : {"heartbeat_lap.csv", "heartbeat_log.csv", "heartbeat_model.csv",
                             "heartbeat_update.dat"}) {
        std::remove(TempPath(name).c_str());
    }
    std::printf("target: no gap over %lld ms: %s\n", static_cast<long long>(kTargetGapMs),
                allWithinTarget ? "met" : "MISSED");
    return allWithinTarget ? 0 : 1;
}
