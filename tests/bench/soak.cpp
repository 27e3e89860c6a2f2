// The soak: many transfers one after another, each checked, while open
// descriptors and memory are watched for growth.
//   datadock_soak window   1,000 LOG SAVEs through one window's logic
//   datadock_soak cli      200 datadock runs against one ktr90-sim with faults
// See README.md beside this file for the figures.
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "tests/support/fake_dialog_platform.h"
#include "tests/support/process_runner.h"
#include "tests/support/scaled_clock.h"
#include "tests/support/sim_process.h"
#include "tests/support/temp_files.h"

namespace {

struct Usage {
    int descriptors = 0;
    long rssKiB = 0;
};

// Open descriptors and resident memory of a process, from /proc.
Usage UsageOf(const std::string& pid) {
    Usage usage;
    if (DIR* dir = ::opendir(("/proc/" + pid + "/fd").c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            usage.descriptors += entry->d_name[0] != '.';
        }
        ::closedir(dir);
        --usage.descriptors;  // the directory's own
    }
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen(("/proc/" + pid + "/statm").c_str(), "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    usage.rssKiB = resident * (::sysconf(_SC_PAGESIZE) / 1024);
    return usage;
}

void Report(const char* who, int run, const Usage& usage) {
    std::printf("%-10s after %4d runs: %3d descriptors, %7ld KiB resident\n", who, run,
                usage.descriptors, usage.rssKiB);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A session of one lap and `samples` samples, as a scenario file.
std::string SoakScenarioFile(int samples) {
    char count[8];
    std::snprintf(count, sizeof count, "%04X", samples);
    std::string scenario =
        "lap 0001,SOAK\nlap 0000,0021,0000\nlap 0000,0021,0000\nlap 0000,0021,0000\n"
        "lap 0000,0000,0000," + std::string(count) + "\nlap 0000,0021,0000\n"
        "sample 0001,SOAK\nsample 000A\n";
    for (int sample = 0; sample < samples; ++sample) {
        scenario += "sample 0078,0078,0100,02E6,0019,001E\n";
    }
    return WriteFileBytes("soak.scenario", scenario);
}

// Completed with the exact files, or failed with at most their start.
enum class Verdict { Exact, FailedClearly, Wrong };
Verdict Judge(bool completed, bool failed, const std::string& lap, const std::string& log,
              const std::string& exactLap, const std::string& exactLog) {
    if (completed && lap == exactLap && log == exactLog) {
        return Verdict::Exact;
    }
    if (failed && exactLap.starts_with(lap) && exactLog.starts_with(log)) {
        return Verdict::FailedClearly;
    }
    return Verdict::Wrong;
}

// LOG SAVE after LOG SAVE on one window, as a user saves session after
// session, against ktr90-sim in its own process (the in-process logger keeps
// a transcript of everything). The window's clock runs twenty times faster so
// that the handshake's pause costs 50 ms; its 10 s record time-out then
// lasts 0.5 s, which a busy machine can exceed: such a run fails clearly.
int SoakWindow(int runs) {
    SimProcess sim({"--scenario", SoakScenarioFile(200)});
    ScaledClock clock(20);
    FakeDialogPlatform platform;
    CDatadockDlg dlg(
        platform, [&] { return std::vector<std::string>{sim.portPath()}; },
        [&] { return std::make_unique<SerialPortAPI>(makePlatformSerialDevice(), clock); }, clock);
    dlg.OnInitDialog();
    const std::string lap = TempPath("soak_lap.csv"), log = TempPath("soak_log.csv");
    std::string exactLap, exactLog;
    int counts[3] = {0, 0, 0};
    const auto start = std::chrono::steady_clock::now();
    for (int run = 1; run <= runs; ++run) {
        platform.fileAnswers = {lap, log};
        const TransferOutcome outcome = dlg.OnLogSave();
        if (run == 1) {
            exactLap = ReadFileBytes(lap);
            exactLog = ReadFileBytes(log);
        }
        const Verdict verdict =
            Judge(outcome == TransferOutcome::Completed, outcome == TransferOutcome::Failed,
                  ReadFileBytes(lap), ReadFileBytes(log), exactLap, exactLog);
        ++counts[static_cast<int>(verdict)];
        if (verdict != Verdict::Exact) {
            std::printf("run %d: %s\n", run, verdict == Verdict::Wrong ? "WRONG" : "failed clearly");
        }
        // The fake window remembers every call; only the program's own memory counts.
        platform.messages.clear();
        platform.textHistory.clear();
        platform.progressHistory.clear();
        if (run == 1 || run == 10 || run % 250 == 0) {
            Report("window", run, UsageOf("self"));
            Report("simulator", run, UsageOf(std::to_string(sim.pid())));
        }
    }
    std::printf("window: %d LOG SAVEs in %.1f s: %d exact, %d failed clearly, %d wrong\n", runs,
                SecondsSince(start), counts[0], counts[1], counts[2]);
    return counts[2] == 0 ? 0 : 1;
}

// A random mix of faults over the simulator's whole life, each touching one
// command somewhere among the runs. HangUpAt is left out: it ends the logger.
std::vector<std::string> RandomFaults(std::mt19937& random, int runs) {
    const std::vector<std::string> kinds = {
        "AnswerLate:delay=400", "NeverAnswer", "SplitReply:gap=30", "StrayLineFeed",
        "ExtraBytes",           "NoLineEnd",   "StatusCode",        "RefuseHandshake",
        "IgnoreHandshake",      "Babble:count=200"};
    std::vector<std::string> options;
    const int exchanges = runs * 36;  // about what a fault-free run takes
    for (int i = 0; i < runs / 5; ++i) {
        const std::string& kind = kinds[random() % kinds.size()];
        const std::string at = std::to_string(1 + random() % exchanges);
        const auto colon = kind.find(':');
        options.push_back("--fault");
        options.push_back(colon == std::string::npos ? kind + "@" + at + "#1"
                                                     : kind.substr(0, colon) + "@" + at + "#1" +
                                                           kind.substr(colon));
    }
    return options;
}

// datadock after datadock against one simulator that misbehaves now and then:
// every run either completes with the exact files or clearly fails.
int SoakCommandLine(int runs) {
    const std::string scenarioFile = SoakScenarioFile(20);
    const std::string lap = TempPath("soak_cli_lap.csv"), log = TempPath("soak_cli_log.csv");
    const auto saveLog = [&](const std::string& port) {
        return RunProcess({BuildTreeProgram("cli/datadock"), "log-save", "--port", port, "--lap", lap,
                           "--log", log},
                          {"DATADOCK_EXTRA_PORTS="});
    };
    std::string exactLap, exactLog;
    {
        SimProcess clean({"--scenario", scenarioFile});
        if (saveLog(clean.portPath()).exitStatus != 0) {
            std::printf("the fault-free run failed\n");
            return 1;
        }
        exactLap = ReadFileBytes(lap);
        exactLog = ReadFileBytes(log);
    }
    std::mt19937 random(2026);
    std::vector<std::string> options = {"--scenario", scenarioFile};
    for (const std::string& option : RandomFaults(random, runs)) {
        options.push_back(option);
    }
    SimProcess sim(options);
    const std::string simPid = std::to_string(sim.pid());
    int counts[3] = {0, 0, 0};
    const auto start = std::chrono::steady_clock::now();
    for (int run = 1; run <= runs; ++run) {
        std::filesystem::remove(lap);
        std::filesystem::remove(log);
        const ProcessResult result = saveLog(sim.portPath());
        const Verdict verdict = Judge(
            result.exitStatus == 0 && result.out == "Completed to receive data!!\n",
            result.exitStatus == 1 && result.out == "Failed to receive data.\n", ReadFileBytes(lap),
            ReadFileBytes(log), exactLap, exactLog);
        ++counts[static_cast<int>(verdict)];
        if (verdict == Verdict::Wrong) {
            std::printf("run %d: WRONG: exit %d, %s", run, result.exitStatus, result.out.c_str());
        }
        if (run == 1 || run == 10 || run % 50 == 0) {
            Report("simulator", run, UsageOf(simPid));
            rusage children{};
            ::getrusage(RUSAGE_CHILDREN, &children);
            std::printf("datadock   largest resident size so far: %ld KiB\n", children.ru_maxrss);
        }
    }
    std::printf("cli: %d runs in %.1f s: %d exact, %d failed clearly, %d wrong\n", runs,
                SecondsSince(start), counts[0], counts[1], counts[2]);
    return counts[2] == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // progress as it comes, also into a file
    const std::string what = argc > 1 ? argv[1] : "";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 0;
    if (what == "window") {
        return SoakWindow(runs > 0 ? runs : 1000);
    }
    if (what == "cli") {
        return SoakCommandLine(runs > 0 ? runs : 200);
    }
    std::fprintf(stderr, "usage: datadock_soak window|cli [RUNS]\n");
    return 64;
}
