// Every way the simulated logger can misbehave, at every stage of every
// transfer, with the real datadock against the real ktr90-sim. Whatever the
// fault, an exit status of 0 means files byte-identical to a fault-free run
// (for an update: the logger holds exactly the file); a failure leaves at
// most the start of those files; no cell takes long.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#include "tests/support/process_runner.h"
#include "tests/support/sim_process.h"
#include "tests/support/temp_files.h"

namespace {

// A small session: six lap records (one lap), four sample records (two
// samples), three model values.
const char kScenario[] =
    "version 1.04\n"
    "lap 0001,MATRIX\nlap 0000,0021,0000\nlap 0000,0021,0000\nlap 0000,0021,0000\n"
    "lap 0000,0000,0000,0002\nlap 0000,0021,0000\n"
    "sample 0001,MATRIX\nsample 000A\nsample 0078,0078,0100,02E6,0019,001E\n"
    "sample 0079,0070,0100,02E6,00FF,001E\n"
    "model 300 7 0x00FF\n";
const char kUpdateFile[] = "S00F000044415441\r\nS2140000000123ABCD00\r\nS2140010000456EF0100\r\nS9030000FC\r\n";

enum class Expect { Completes, Fails, Either };

struct Cell {
    std::string transfer;  // log-save, model-save, update
    std::string stage;
    std::string fault;     // as ktr90-sim's --fault takes it; empty: no fault
    Expect expect;
};

struct CellResult {
    ProcessResult run;
    double seconds = 0;
    std::vector<std::string> files;  // lap and log, the model file, or the image
};

// The kinds, each with the options that keep a cell short: a late answer
// stays within the record time-out, a split reply is slow enough to arrive
// over several reads.
const std::vector<std::string> kKinds = {
    "AnswerLate", "NeverAnswer", "SplitReply", "StrayLineFeed", "ExtraBytes", "NoLineEnd",
    "StatusCode", "RefuseHandshake", "IgnoreHandshake", "HangUpAt", "Babble"};

std::string Options(const std::string& kind) {
    if (kind == "AnswerLate") return "delay=1500";
    if (kind == "SplitReply") return "pieces=3,gap=150";
    return "";
}

// Kind@target#times[:options], with the kind's own options after `extra`.
std::string FaultText(const std::string& kind, const std::string& target, int times,
                      const std::string& extra = "") {
    std::string options = extra;
    if (!Options(kind).empty()) {
        options += (options.empty() ? "" : ",") + Options(kind);
    }
    return kind + "@" + target + "#" + std::to_string(times) + (options.empty() ? "" : ":" + options);
}

// Harmless wherever they come: the line's delivery is spoiled, not its content.
bool Harmless(const std::string& kind) {
    return kind == "AnswerLate" || kind == "SplitReply" || kind == "StrayLineFeed";
}

// A handshake repeats until acknowledged: touching its first two attempts
// delays it; only a dropped line ends it. A late answer touches the first
// attempt only: its acknowledgement arrives while the second attempt waits,
// and the second's acknowledgement, owed, must be dropped, not read as data.
// When both attempts are answered late, the second acknowledgement may come
// after the owed replies are given up: then the transfer fails, but clearly.
void AddHandshakeStage(std::vector<Cell>& cells, const std::string& transfer,
                       const std::string& stage, const std::string& command,
                       const std::vector<std::string>& kinds = kKinds) {
    for (const std::string& kind : kinds) {
        cells.push_back({transfer, stage, FaultText(kind, command, kind == "AnswerLate" ? 1 : 2),
                         kind == "HangUpAt" ? Expect::Fails : Expect::Completes});
    }
    cells.push_back({transfer, stage, FaultText("AnswerLate", command, 2), Expect::Either});
}

// A record, a set's end, the set change or an update line: every reply is
// needed as sent, so whatever spoils its content fails the transfer (a refused
// or ignored command too); bytes after a reply may be read with it.
void AddRecordStage(std::vector<Cell>& cells, const std::string& transfer,
                    const std::string& stage, const std::string& target,
                    const std::string& extra = "") {
    for (const std::string& kind : kKinds) {
        Expect expect = Expect::Fails;
        if (Harmless(kind)) {
            expect = Expect::Completes;
        } else if (kind == "ExtraBytes") {
            expect = Expect::Either;
        }
        cells.push_back({transfer, stage, FaultText(kind, target, 1, extra), expect});
    }
}

// The closing DEND comes after the data is saved; its replies are not needed.
void AddClosingStage(std::vector<Cell>& cells, const std::string& transfer) {
    for (const std::string& kind : kKinds) {
        cells.push_back({transfer, "closing DEND", FaultText(kind, "DEND", 1),
                         kind == "HangUpAt" ? Expect::Either : Expect::Completes});
    }
}

// Exchange numbers of the fault-free conversation: log save 1 DSTA, 2-7 lap
// records, 8 the lap set's end, 9 DCHG, 10-13 sample records, 14 the sample
// set's end, 15 DEND; model save 1 DSTA, 2-4 values, 5 the end, 6 DEND.
std::vector<Cell> LogSaveCells() {
    std::vector<Cell> cells{{"log-save", "fault-free", "", Expect::Completes}};
    AddHandshakeStage(cells, "log-save", "opening handshake", "DSTA");
    AddRecordStage(cells, "log-save", "lap record", "3");
    AddRecordStage(cells, "log-save", "end of the lap set", "8");
    AddRecordStage(cells, "log-save", "set change", "DCHG");
    AddRecordStage(cells, "log-save", "sample record", "12");
    AddRecordStage(cells, "log-save", "end of the sample set", "14");
    AddClosingStage(cells, "log-save");
    // A record answered after its time-out: the download fails, and the late
    // reply must not be taken for the next one.
    cells.push_back({"log-save", "lap record past its time-out", "AnswerLate@3#1:delay=10500",
                     Expect::Fails});
    return cells;
}

std::vector<Cell> ModelSaveCells() {
    std::vector<Cell> cells{{"model-save", "fault-free", "", Expect::Completes}};
    AddHandshakeStage(cells, "model-save", "opening handshake", "DSTA");
    AddRecordStage(cells, "model-save", "model record", "3");
    AddRecordStage(cells, "model-save", "end of the set", "5");
    AddClosingStage(cells, "model-save");
    return cells;
}

// The three opening handshakes run the same loop: all kinds on the first, the
// ones that differ in effect (late, extra bytes, hang-up) on the others.
std::vector<Cell> UpdateCells() {
    std::vector<Cell> cells{{"update", "fault-free", "", Expect::Completes}};
    AddHandshakeStage(cells, "update", "SUPM", "SUPM");
    AddHandshakeStage(cells, "update", "SUPW", "SUPW", {"AnswerLate", "ExtraBytes", "HangUpAt"});
    AddHandshakeStage(cells, "update", "SUPC", "SUPC", {"AnswerLate", "ExtraBytes", "HangUpAt"});
    // The pause after SUPC has no exchange of its own: what can reach it is
    // SUPC's acknowledgement arriving during it, or a second one after it.
    cells.push_back({"update", "the pause", "AnswerLate@SUPC#1:delay=3000", Expect::Completes});
    cells.push_back({"update", "the pause", "ExtraBytes@SUPC#1:bytes=OK00\\r\\n", Expect::Completes});
    // SUPS is tried up to ten times, each waiting for its answer.
    for (const std::string& kind : kKinds) {
        cells.push_back({"update", "SUPS", FaultText(kind, "SUPS", 1),
                         kind == "HangUpAt" ? Expect::Fails : Expect::Completes});
    }
    AddHandshakeStage(cells, "update", "SUPV", "SUPV");
    AddRecordStage(cells, "update", "data line", "SUPD", "after=1");
    AddRecordStage(cells, "update", "SUPE", "SUPE");
    return cells;
}

CellResult RunCell(const Cell& cell, const std::string& scenario, const std::string& updateFile,
                   int index) {
    const std::string prefix = TempPath("matrix_" + cell.transfer + std::to_string(index));
    const std::string image = prefix + "_image.dat";
    std::vector<std::string> simOptions = {"--scenario", scenario, "--image-out", image};
    if (!cell.fault.empty()) {
        simOptions.insert(simOptions.end(), {"--fault", cell.fault});
    }
    SimProcess sim(simOptions);
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock"), cell.transfer, "--port",
                                     sim.portPath()};
    std::vector<std::string> files;
    if (cell.transfer == "log-save") {
        files = {prefix + "_lap.csv", prefix + "_log.csv"};
        argv.insert(argv.end(), {"--lap", files[0], "--log", files[1]});
    } else if (cell.transfer == "model-save") {
        files = {prefix + "_model.csv"};
        argv.insert(argv.end(), {"--out", files[0]});
    } else {
        argv.push_back(updateFile);
    }
    CellResult result;
    const auto start = std::chrono::steady_clock::now();
    result.run = RunProcess(argv, {"DATADOCK_EXTRA_PORTS="});
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sim.stop();  // the image is written as the simulator ends
    if (cell.transfer == "update") {
        files = {image};
    }
    for (const std::string& file : files) {
        result.files.push_back(FileExists(file) ? ReadFileBytes(file) : "<absent>");
        std::filesystem::remove(file);
    }
    std::filesystem::remove(image);
    return result;
}

// Runs the cells a few at a time: they mostly wait for the line or a time-out.
std::vector<CellResult> RunCells(const std::vector<Cell>& cells) {
    const std::string scenario = WriteFileBytes("matrix.scenario", kScenario);
    const std::string updateFile = WriteFileBytes("matrix.dat", kUpdateFile);
    std::vector<CellResult> results(cells.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 8; ++w) {
        workers.emplace_back([&] {
            for (std::size_t i; (i = next++) < cells.size();) {
                results[i] = RunCell(cells[i], scenario, updateFile, static_cast<int>(i));
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    return results;
}

std::string CompletedMessage(const std::string& transfer) {
    return transfer == "update" ? "Update complete!!\nReboot the KTR-90.\n"
                                : "Completed to receive data!!\n";
}
std::string FailedMessage(const std::string& transfer) {
    return transfer == "update" ? "Update Failed.\n" : "Failed to receive data.\n";
}

void CheckCells(const std::vector<Cell>& cells) {
    const std::vector<CellResult> results = RunCells(cells);
    ASSERT_EQ(results[0].run.exitStatus, 0) << results[0].run.out << results[0].run.err;
    const std::vector<std::string>& exact = results[0].files;
    if (cells[0].transfer == "update") {
        ASSERT_EQ(exact[0], kUpdateFile) << "the image of a fault-free update is the file";
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Cell& cell = cells[i];
        const CellResult& r = results[i];
        SCOPED_TRACE(cell.transfer + ", " + cell.stage + ", " + cell.fault + ": exit " +
                     std::to_string(r.run.exitStatus) + ", " + r.run.out + r.run.err.substr(0, 400));
        // The invariant: success only with the fault-free files.
        if (r.run.exitStatus == 0) {
            EXPECT_EQ(r.files, exact) << "exit 0 with files that differ from a fault-free run";
            EXPECT_EQ(r.run.out, CompletedMessage(cell.transfer));
        } else {
            EXPECT_EQ(r.run.exitStatus, 1);
            EXPECT_EQ(r.run.out, FailedMessage(cell.transfer));
            for (std::size_t f = 0; f < exact.size(); ++f) {
                EXPECT_TRUE(r.files[f] == "<absent>" || exact[f].starts_with(r.files[f]))
                    << "a failure keeps at most the start of the data: " << r.files[f];
            }
        }
        if (cell.expect == Expect::Completes) {
            EXPECT_EQ(r.run.exitStatus, 0) << "a fault the transfer should ride out";
        } else if (cell.expect == Expect::Fails) {
            EXPECT_EQ(r.run.exitStatus, 1) << "a fault the transfer cannot ride out";
        }
        // Ten seconds for a reply, three handshake attempts, the update's pause.
        EXPECT_LT(r.seconds, 40.0);
    }
}

TEST(FaultMatrix, LogSave) { CheckCells(LogSaveCells()); }
TEST(FaultMatrix, ModelSave) { CheckCells(ModelSaveCells()); }
TEST(FaultMatrix, SoftwareUpdate) { CheckCells(UpdateCells()); }

}  // namespace
