// The soak: many transfers one after another, each checked, while open
// descriptors and memory are watched for growth.
//   datadock_soak window   1,000 LOG SAVEs through one window (offscreen)
//   datadock_soak cli      200 datadock runs against one ktr90-sim with faults
// See README.md beside this file for the figures.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <QApplication>

#include "app/datadock_dlg.h"
#include "app/qt/qt_main_window.h"
#include "tests/support/process_runner.h"
#include "tests/support/scaled_clock.h"
#include "tests/support/sim_process.h"
#include "tests/support/temp_files.h"

namespace {

// Open descriptors and resident memory of a process ("self" or a pid), from /proc.
void ReportUsage(const char* who, int run, const std::string& pid) {
    const std::string proc = "/proc/" + pid;
    auto descriptors = std::distance(std::filesystem::directory_iterator(proc + "/fd"), {});
    if (pid == "self") {
        --descriptors;  // the one that lists them
    }
    long pages = 0, resident = 0;
    std::ifstream(proc + "/statm") >> pages >> resident;
    std::printf("%-10s after %4d runs: %3ld descriptors, %7ld KiB resident\n", who, run,
                static_cast<long>(descriptors), resident * (::sysconf(_SC_PAGESIZE) / 1024));
}

// Every run either completes with the exact files or fails clearly, leaving
// at most their start; anything else is wrong.
struct Tally {
    std::string exactLap, exactLog;
    int exact = 0, failedClearly = 0, wrong = 0;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

    void add(int run, bool completed, bool failed, const std::string& lapPath,
             const std::string& logPath, const std::string& detail) {
        const std::string lap = ReadFileBytes(lapPath), log = ReadFileBytes(logPath);
        if (completed && lap == exactLap && log == exactLog) {
            ++exact;
            return;
        }
        const bool clearly = failed && exactLap.starts_with(lap) && exactLog.starts_with(log);
        ++(clearly ? failedClearly : wrong);
        std::printf("run %d: %s%s\n", run, clearly ? "failed clearly" : "WRONG", detail.c_str());
    }
    int summary(const char* soak, int runs) const {
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%s: %d runs in %.1f s: %d exact, %d failed clearly, %d wrong\n", soak, runs,
                    took.count(), exact, failedClearly, wrong);
        return wrong == 0 ? 0 : 1;
    }
};

// A session of one lap and `samples` samples, as a scenario file.
std::string SoakScenarioFile(int samples) {
    char head[256];
    std::snprintf(head, sizeof head,
                  "lap 0001,SOAK\nlap 0000,0021,0000\nlap 0000,0021,0000\nlap 0000,0021,0000\n"
                  "lap 0000,0000,0000,%04X\nlap 0000,0021,0000\nsample 0001,SOAK\nsample 000A\n",
                  samples);
    std::string scenario = head;
    for (int sample = 0; sample < samples; ++sample) {
        scenario += "sample 0078,0078,0100,02E6,0019,001E\n";
    }
    return WriteFileBytes("soak.scenario", scenario);
}

// LOG SAVE after LOG SAVE on one window, as a user saves session after
// session, against ktr90-sim in its own process (the in-process logger keeps
// a transcript of everything). The window's clock runs twenty times faster so
// that the handshake's pause costs 50 ms; its 10 s record time-out then
// lasts 0.5 s, which a busy machine can exceed: such a run fails clearly.
int SoakWindow(int runs) {
    SimProcess sim({"--scenario", SoakScenarioFile(200)});
    ScaledClock clock(20);
    QtMainWindow window;
    window.answerMessageBoxesWith([](const ShownMessageBox&) {});
    const std::string lap = TempPath("soak_lap.csv"), log = TempPath("soak_log.csv");
    window.answerFileDialogsWith([&, next = 0](const FileDialogRequest&) mutable {
        return std::optional<std::string>(next++ % 2 == 0 ? lap : log);
    });
    CDatadockDlg dlg(
        window, [&] { return std::vector<std::string>{sim.portPath()}; },
        [&] { return std::make_unique<SerialPortAPI>(makePlatformSerialDevice(), clock); }, clock);
    window.attachLogic(dlg);
    window.initDialog();
    Tally tally;
    for (int run = 1; run <= runs; ++run) {
        const TransferOutcome outcome = dlg.OnLogSave().value_or(TransferOutcome::Failed);
        if (run == 1) {
            tally.exactLap = ReadFileBytes(lap);
            tally.exactLog = ReadFileBytes(log);
        }
        tally.add(run, outcome == TransferOutcome::Completed, outcome == TransferOutcome::Failed,
                  lap, log, "");
        if (run == 1 || run == 10 || run % 250 == 0) {
            ReportUsage("window", run, "self");
            ReportUsage("simulator", run, std::to_string(sim.pid()));
        }
    }
    window.detachLogic();
    return tally.summary("window", runs);
}

// Options for faults at random exchanges over the simulator's whole life,
// one for every five runs, each touching one command. HangUpAt is left out:
// it ends the logger.
std::vector<std::string> RandomFaultOptions(int runs) {
    const std::vector<std::pair<std::string, std::string>> kinds = {
        {"AnswerLate", ":delay=400"}, {"NeverAnswer", ""},     {"SplitReply", ":gap=30"},
        {"StrayLineFeed", ""},        {"ExtraBytes", ""},      {"NoLineEnd", ""},
        {"StatusCode", ""},           {"RefuseHandshake", ""}, {"IgnoreHandshake", ""},
        {"Babble", ":count=200"}};
    const int exchanges = runs * 36;  // about what a fault-free run takes
    std::mt19937 random(2026);
    std::vector<std::string> options;
    for (int i = 0; i < runs / 5; ++i) {
        const auto& [kind, extra] = kinds[random() % kinds.size()];
        const std::string at = std::to_string(1 + random() % exchanges);
        options.insert(options.end(), {"--fault", kind + "@" + at + "#1" + extra});
    }
    return options;
}

// datadock after datadock against one simulator that misbehaves now and then.
int SoakCommandLine(int runs) {
    const std::string scenarioFile = SoakScenarioFile(20);
    const std::string lap = TempPath("soak_cli_lap.csv"), log = TempPath("soak_cli_log.csv");
    const auto saveLog = [&](const std::string& port) {
        std::filesystem::remove(lap);
        std::filesystem::remove(log);
        return RunProcess({BuildTreeProgram("cli/datadock"), "log-save", "--port", port, "--lap",
                           lap, "--log", log},
                          {"DATADOCK_EXTRA_PORTS="});
    };
    Tally tally;
    {
        SimProcess clean({"--scenario", scenarioFile});
        if (saveLog(clean.portPath()).exitStatus != 0) {
            std::printf("the fault-free run failed\n");
            return 1;
        }
        tally.exactLap = ReadFileBytes(lap);
        tally.exactLog = ReadFileBytes(log);
    }
    std::vector<std::string> options = RandomFaultOptions(runs);
    options.insert(options.begin(), {"--scenario", scenarioFile});
    SimProcess sim(options);
    tally.start = std::chrono::steady_clock::now();
    for (int run = 1; run <= runs; ++run) {
        const ProcessResult result = saveLog(sim.portPath());
        tally.add(run, result.exitStatus == 0 && result.out == "Completed to receive data!!\n",
                  result.exitStatus == 1 && result.out == "Failed to receive data.\n", lap, log,
                  ": exit " + std::to_string(result.exitStatus) + ", " +
                      result.out.substr(0, result.out.find('\n')));
        if (run == 1 || run == 10 || run % 50 == 0) {
            ReportUsage("simulator", run, std::to_string(sim.pid()));
            rusage children{};
            ::getrusage(RUSAGE_CHILDREN, &children);
            std::printf("datadock   largest resident size so far: %ld KiB\n", children.ru_maxrss);
        }
    }
    return tally.summary("cli", runs);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // progress as it comes, also into a file
    const std::string what = argc > 1 ? argv[1] : "";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (what == "window") {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QApplication application(argc, argv);
        return SoakWindow(runs > 0 ? runs : 1000);
    }
    if (what == "cli") {
        return SoakCommandLine(runs > 0 ? runs : 200);
    }
    std::fprintf(stderr, "usage: datadock_soak window|cli [RUNS]\n");
    return 64;
}
