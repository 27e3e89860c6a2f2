// Every way the simulated logger can misbehave, at every stage of every
// transfer, with the real datadock against the real ktr90-sim. Whatever the
// fault, an exit status of 0 means files byte-identical to a fault-free run
// (for an update: the logger holds exactly the file); a failure leaves at
// most the start of those files; no cell takes long.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
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
const char kUpdateFile[] =
    "S00F000044415441\r\nS2140000000123ABCD00\r\nS2140010000456EF0100\r\nS9030000FC\r\n";

const std::vector<std::string> kKinds = {
    "AnswerLate", "NeverAnswer",     "SplitReply",      "StrayLineFeed", "ExtraBytes", "NoLineEnd",
    "StatusCode", "RefuseHandshake", "IgnoreHandshake", "HangUpAt",      "Babble"};

// How a stage meets each kind: the kinds it cannot ride out, those it may or
// may not, and how many attempts a fault touches.
struct Rule {
    std::set<std::string> fails, either;
    int times = 1;
    std::vector<std::string> kinds = kKinds;
};
// A handshake repeats until acknowledged: a fault on its first two attempts
// only delays it; a dropped line ends it. A late answer touches the first
// attempt only: its acknowledgement arrives while the second waits, and the
// second's, owed, must be dropped, not read as data. Both answered late (a
// cell of its own) may fail, but clearly: the owed reply can come too late.
const Rule kHandshake{{"HangUpAt"}, {}, 2};
// The update's later handshakes run the same loop: the kinds that differ there.
const Rule kLaterHandshake{{"HangUpAt"}, {}, 2, {"AnswerLate", "ExtraBytes", "HangUpAt"}};
// SUPS is tried up to ten times, each waiting for its answer.
const Rule kRetried{{"HangUpAt"}, {}};
// A record, a set's end, the set change or an update line is needed as sent:
// whatever spoils its content fails the transfer, a late, split or preceded
// reply does not; bytes after a reply may be read with it.
const Rule kRecord{{"NeverAnswer", "NoLineEnd", "StatusCode", "RefuseHandshake", "IgnoreHandshake",
                    "HangUpAt", "Babble"},
                   {"ExtraBytes"}};
// The closing DEND comes after the data is saved; its replies are not needed.
const Rule kClosing{{}, {"HangUpAt"}};

struct Stage {
    std::string name, target;  // target: a command or an exchange's number
    const Rule& rule;
    std::string options = "";
};
// Exchanges of the fault-free conversation: log save 1 DSTA, 2-7 lap records,
// 8 the lap set's end, 9 DCHG, 10-13 sample records, 14 the sample set's end,
// 15 DEND; model save 1 DSTA, 2-4 values, 5 the end, 6 DEND.
const std::map<std::string, std::vector<Stage>> kStages = {
    {"log-save",
     {{"opening handshake", "DSTA", kHandshake},
      {"lap record", "3", kRecord},
      {"end of the lap set", "8", kRecord},
      {"set change", "DCHG", kRecord},
      {"sample record", "12", kRecord},
      {"end of the sample set", "14", kRecord},
      {"closing DEND", "DEND", kClosing}}},
    {"model-save",
     {{"opening handshake", "DSTA", kHandshake},
      {"model record", "3", kRecord},
      {"end of the set", "5", kRecord},
      {"closing DEND", "DEND", kClosing}}},
    {"update",
     {{"SUPM", "SUPM", kHandshake},
      {"SUPW", "SUPW", kLaterHandshake},
      {"SUPC", "SUPC", kLaterHandshake},
      {"SUPS", "SUPS", kRetried},
      {"SUPV", "SUPV", kHandshake},
      {"data line", "SUPD", kRecord, "after=1"},
      {"SUPE", "SUPE", kRecord}}},
};

enum class Expect { Completes, Fails, Either };

struct Cell {
    std::string transfer, stage;
    std::string fault;  // as ktr90-sim's --fault takes it; empty: no fault
    Expect expect;
    // What the run gave: the files are lap and log, the model file, or the image.
    ProcessResult run{};
    double seconds = 0;
    std::vector<std::string> files{};
};

const std::vector<Cell> kSingleCells = {
    // A record answered after its time-out: the download fails, and the late
    // reply must not be taken for the next one.
    {"log-save", "lap record past its time-out", "AnswerLate@3#1:delay=10500", Expect::Fails},
    // The pause after SUPC has no exchange of its own: what can reach it is
    // SUPC's acknowledgement arriving during it, or a second one after it.
    {"update", "the pause", "AnswerLate@SUPC#1:delay=3000", Expect::Completes},
    {"update", "the pause", "ExtraBytes@SUPC#1:bytes=OK00\\r\\n", Expect::Completes},
};

// Kind@target#times[:options]. A late answer stays within the record
// time-out; a split reply is slow enough to arrive over several reads.
std::string FaultText(const std::string& kind, const std::string& target, int times,
                      std::string options) {
    const std::string own = kind == "AnswerLate"   ? "delay=1500"
                            : kind == "SplitReply" ? "pieces=3,gap=150"
                                                   : "";
    if (!own.empty()) {
        options += (options.empty() ? "" : ",") + own;
    }
    return kind + "@" + target + "#" + std::to_string(times) +
           (options.empty() ? "" : ":" + options);
}

// The fault-free run first: every other cell is held to its files.
std::vector<Cell> CellsOf(const std::string& transfer) {
    std::vector<Cell> cells{{transfer, "fault-free", "", Expect::Completes}};
    for (const Stage& s : kStages.at(transfer)) {
        for (const std::string& kind : s.rule.kinds) {
            const Expect expect = s.rule.fails.contains(kind)    ? Expect::Fails
                                  : s.rule.either.contains(kind) ? Expect::Either
                                                                 : Expect::Completes;
            const int times = kind == "AnswerLate" ? 1 : s.rule.times;
            cells.push_back(
                {transfer, s.name, FaultText(kind, s.target, times, s.options), expect});
        }
        if (s.rule.times == 2) {
            cells.push_back(
                {transfer, s.name, FaultText("AnswerLate", s.target, 2, ""), Expect::Either});
        }
    }
    for (const Cell& cell : kSingleCells) {
        if (cell.transfer == transfer) {
            cells.push_back(cell);
        }
    }
    return cells;
}

void RunCell(Cell& cell, const std::string& scenario, const std::string& updateFile,
             std::size_t index) {
    const std::string prefix = TempPath("matrix_" + cell.transfer + std::to_string(index));
    const std::string image = prefix + "_image.dat";
    std::vector<std::string> simOptions = {"--scenario", scenario, "--image-out", image};
    if (!cell.fault.empty()) {
        simOptions.insert(simOptions.end(), {"--fault", cell.fault});
    }
    SimProcess sim(simOptions);
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock"), cell.transfer, "--port",
                                     sim.portPath()};
    std::vector<std::string> files = {image};
    if (cell.transfer == "log-save") {
        files = {prefix + "_lap.csv", prefix + "_log.csv"};
        argv.insert(argv.end(), {"--lap", files[0], "--log", files[1]});
    } else if (cell.transfer == "model-save") {
        files = {prefix + "_model.csv"};
        argv.insert(argv.end(), {"--out", files[0]});
    } else {
        argv.push_back(updateFile);
    }
    const auto start = std::chrono::steady_clock::now();
    cell.run = RunProcess(argv, {"DATADOCK_EXTRA_PORTS="});
    cell.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    sim.stop();  // the image is written as the simulator ends
    for (const std::string& file : files) {
        cell.files.push_back(FileExists(file) ? ReadFileBytes(file) : "<absent>");
        std::filesystem::remove(file);
    }
    std::filesystem::remove(image);
}

// Runs the cells a few at a time: they mostly wait for the line or a time-out.
void RunCells(std::vector<Cell>& cells) {
    const std::string scenario = WriteFileBytes("matrix.scenario", kScenario);
    const std::string updateFile = WriteFileBytes("matrix.dat", kUpdateFile);
    std::atomic<std::size_t> next{0};
    std::vector<std::jthread> workers(8);
    for (std::jthread& worker : workers) {
        worker = std::jthread([&] {
            for (std::size_t i; (i = next++) < cells.size();) {
                RunCell(cells[i], scenario, updateFile, i);
            }
        });
    }
}

// The invariant: success only with the fault-free files and the success
// message; a failure says so and keeps at most the start of the data. A cell
// ends as its stage's rule expects, and soon: ten seconds for a reply, three
// handshake attempts, the update's pause.
void CheckOutcome(const Cell& cell, const std::vector<std::string>& exact) {
    if (cell.expect != Expect::Either) {
        EXPECT_EQ(cell.run.exitStatus, cell.expect == Expect::Completes ? 0 : 1)
            << "a fault the transfer " << (cell.expect == Expect::Completes ? "should" : "cannot")
            << " ride out";
    }
    EXPECT_LT(cell.seconds, 40.0);
    const bool update = cell.transfer == "update";
    if (cell.run.exitStatus == 0) {
        EXPECT_EQ(cell.files, exact) << "exit 0 with files that differ from a fault-free run";
        EXPECT_EQ(cell.run.out, update ? "Update complete!!\nReboot the KTR-90.\n"
                                       : "Completed to receive data!!\n");
        return;
    }
    EXPECT_EQ(cell.run.exitStatus, 1);
    EXPECT_EQ(cell.run.out, update ? "Update Failed.\n" : "Failed to receive data.\n");
    for (std::size_t f = 0; f < exact.size(); ++f) {
        EXPECT_TRUE(cell.files[f] == "<absent>" || exact[f].starts_with(cell.files[f]))
            << "a failure keeps at most the start of the data: " << cell.files[f];
    }
}

void CheckTransfer(const std::string& transfer) {
    std::vector<Cell> cells = CellsOf(transfer);
    RunCells(cells);
    ASSERT_EQ(cells[0].run.exitStatus, 0) << cells[0].run.out << cells[0].run.err;
    const std::vector<std::string>& exact = cells[0].files;
    if (transfer == "update") {
        ASSERT_EQ(exact[0], kUpdateFile) << "the image of a fault-free update is the file";
    }
    for (const Cell& cell : cells) {
        SCOPED_TRACE(transfer + ", " + cell.stage + ", " + cell.fault + ": exit " +
                     std::to_string(cell.run.exitStatus) + ", " + cell.run.out +
                     cell.run.err.substr(0, 400));
        CheckOutcome(cell, exact);
    }
}

TEST(FaultMatrix, LogSave) {
    CheckTransfer("log-save");
}
TEST(FaultMatrix, ModelSave) {
    CheckTransfer("model-save");
}
TEST(FaultMatrix, SoftwareUpdate) {
    CheckTransfer("update");
}

}  // namespace
