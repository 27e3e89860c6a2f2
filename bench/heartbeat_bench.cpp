// How alive the window stays while a transfer runs inside its click handler:
// a 10 ms timer beats on the window's thread and the longest gap between its
// beats is what a user would feel as a frozen window. The same beat on a plain
// thread, outside Qt, shows what the machine alone costs. The real window and
// logic talk to the simulated logger on a line paced at 115200 baud. Target:
// no gap over 100 ms in any scenario.
//
//   build/release-bench/bench/datadock_heartbeat_bench [passes]   (see README.md)
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/qt/qt_main_window.h"
#include "sim/fault.h"
#include "sim/generated_session.h"
#include "sim/simulated_logger.h"
#include "tests/support/temp_files.h"

namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr int kBeatMs = 10;
constexpr long long kTargetGapMs = 100;
constexpr int kNoTransfer = 0;  // the window only waits: the machine's own baseline
constexpr int kIdleMs = 5000;

struct GapMeter {
    SteadyClock::time_point last = SteadyClock::now();
    SteadyClock::duration longest{};

    void beat() {
        const SteadyClock::time_point now = SteadyClock::now();
        longest = std::max(longest, now - last);
        last = now;
    }
    long long longestMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(longest).count();
    }
};

struct BenchScenario {
    const char* name;
    int button;
    std::vector<const char*> faults;
    std::vector<std::string> fileAnswers;  // one path for each file dialog, in order
    int cancelAfterMs = 0;                 // 0: let the transfer end by itself
};

// 302 lines: 300 data lines as long as a real image's S2 records of 16 bytes
// between the header and the end; their content is not checked on the way.
std::string UpdateImage() {
    std::string image = "S00F000044415441\r\n";
    for (int record = 0; record < 300; ++record) {
        image += "S214" + std::string(38, "0123456789ABCDEF"[record % 16]) + "\r\n";
    }
    return image + "S9030000FC\r\n";
}

void Click(QtMainWindow& window, int id) {
    qobject_cast<QAbstractButton*>(window.control(id))->click();
}

// Runs one scenario and prints its row; returns the window's longest gap.
long long Run(const BenchScenario& bench) {
    ktr90::Scenario session = ktr90::generatedSession(7);
    session.sampleReplies.resize(std::min<std::size_t>(session.sampleReplies.size(), 2 + 300));
    for (const char* fault : bench.faults) {
        session.faults.push_back(ktr90::parseFault(fault));
    }
    ktr90::LoggerOptions options;
    options.pace = ktr90::LinePace{115200, 1};
    ktr90::SimulatedLogger logger(session, options);

    // File dialogs get the given paths in turn, questions Yes; the last
    // message box's text is the outcome.
    QtMainWindow window;
    window.answerFileDialogsWith(
        [paths = bench.fileAnswers,
         next = std::size_t{0}](const FileDialogRequest&) mutable -> std::optional<std::string> {
            return next < paths.size() ? std::optional(paths[next++]) : std::nullopt;
        });
    std::string outcome = bench.button == kNoTransfer ? "no transfer" : "no message";
    window.answerMessageBoxesWith([&outcome](const ShownMessageBox& box) {
        outcome = box.text;
        std::replace_if(
            outcome.begin(), outcome.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    });
    window.answerQuestionsWith([](const std::string&) { return true; });
    CDatadockDlg logic(
        window, [&] { return std::vector<std::string>{logger.portPath()}; },
        [] { return std::make_unique<SerialPortAPI>(); });
    logic.EnableModelSave();
    window.attachLogic(logic);
    window.initDialog();
    window.show();
    QCoreApplication::processEvents();

    GapMeter windowGap, machineGap;
    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&beat, &QTimer::timeout, [&] { windowGap.beat(); });
    beat.start(kBeatMs);
    std::jthread machine([&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kBeatMs));
            machineGap.beat();
        }
    });
    QElapsedTimer clock;
    clock.start();
    qint64 cancelledAt = -1;
    if (bench.cancelAfterMs > 0) {
        QTimer::singleShot(bench.cancelAfterMs, &window, [&] {
            cancelledAt = clock.elapsed();
            Click(window, ctl::kBtnCancel);
        });
    }
    if (bench.button == kNoTransfer) {
        QEventLoop idle;
        QTimer::singleShot(kIdleMs, &idle, &QEventLoop::quit);
        idle.exec();
    } else {
        Click(window, bench.button);
    }
    const qint64 durationMs = clock.elapsed();
    windowGap.beat();  // a handler that blocks at its very end is not missed
    machine.request_stop();
    machine.join();
    window.detachLogic();
    std::string stopTook = "-";  // from the Cancel click to the handler's return
    if (cancelledAt >= 0) {
        stopTook = std::to_string(durationMs - cancelledAt) + " ms";
        outcome = outcome == "no message" ? "stopped by Cancel" : outcome;
    }
    std::printf("%-20s %7lld ms %9lld ms %9lld ms %10s  %s\n", bench.name,
                static_cast<long long>(durationMs), windowGap.longestMs(), machineGap.longestMs(),
                stopTook.c_str(), outcome.c_str());
    std::fflush(stdout);
    return windowGap.longestMs();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int passes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    const std::string lap = TempPath("heartbeat_lap.csv"), log = TempPath("heartbeat_log.csv"),
                      model = TempPath("heartbeat_model.csv"),
                      image = WriteFileBytes("heartbeat_update.dat", UpdateImage());
    const std::vector<BenchScenario> scenarios = {
        {"idle (baseline)", kNoTransfer, {}, {}},
        {"LOG SAVE", ctl::kBtnLogSave, {}, {lap, log}},
        {"MODEL SAVE", ctl::kBtnModelSave, {}, {model}},
        {"SOFTWARE UPDATE", ctl::kBtnUpdate, {}, {image}},
        {"silent record", ctl::kBtnLogSave, {"NeverAnswer@DRED:after=20"}, {lap, log}},
        {"switched-off logger", ctl::kBtnLogSave, {"IgnoreHandshake"}, {lap, log}, 5000},
        {"refused handshake", ctl::kBtnLogSave, {"RefuseHandshake#3"}, {lap, log}},
    };
    std::printf("%-20s %10s %12s %12s %10s  %s\n", "scenario", "duration", "longest gap",
                "machine gap", "stop took", "outcome");
    bool allWithinTarget = true;
    for (int pass = 0; pass < passes; ++pass) {
        for (const BenchScenario& bench : scenarios) {
            allWithinTarget = Run(bench) <= kTargetGapMs && allWithinTarget;
        }
    }
    for (const std::string& path : {lap, log, model, image}) {
        std::remove(path.c_str());
    }
    std::printf("target: no gap over %lld ms: %s\n", kTargetGapMs,
                allWithinTarget ? "met" : "MISSED");
    return allWithinTarget ? 0 : 1;
}
