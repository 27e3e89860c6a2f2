// The datadock command line as scripts use it: statuses, messages, files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include "sim/records.h"
#include "sim/simulated_logger.h"
#include "tests/support/process_runner.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::HasSubstr;

ProcessResult Datadock(const std::vector<std::string>& args,
                       const std::vector<std::string>& env = {"DATADOCK_EXTRA_PORTS="},
                       const std::function<void(int)>& whileRunning = {}) {
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, env, whileRunning);
}

ktr90::Scenario SmallLog() {
    ktr90::Scenario s;
    s.lapReplies = {ktr90::record("0001,CLI"),
                    ktr90::record(ktr90::timeGroup(0, 1, 0)),
                    ktr90::record(ktr90::timeGroup(0, 1, 0)),
                    ktr90::record(ktr90::timeGroup(0, 1, 0)),
                    ktr90::record(ktr90::timeGroup(0, 0, 0) + ",0001"),
                    ktr90::record(ktr90::timeGroup(0, 1, 0))};
    s.sampleReplies = {ktr90::record("0001,CLI"), ktr90::record("000A"),
                       ktr90::record("0078,0078,0100,02E6,0019,001E")};
    s.modelReplies = ktr90::modelRecords({300, 7});
    return s;
}

TEST(CommandLine, PortsVersionAndBadUsage) {
    const auto ports = Datadock({"ports"}, {"DATADOCK_EXTRA_PORTS=/dev/pts/97:/dev/pts/101"});
    EXPECT_EQ(ports.exitStatus, 0);
    EXPECT_EQ(ports.out, "/dev/pts/101\n/dev/pts/97\n") << "in the combo box's text order";

    const auto version = Datadock({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_THAT(version.out, HasSubstr("1.0.5.0"));

    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"log-save", "--lap", "a.csv"},
             {"update"},
             {"log-save", "--port", "/dev/null", "--lap", "same.csv", "--log", "same.csv"}}) {
        EXPECT_EQ(Datadock(args).exitStatus, 64);
    }
}

TEST(CommandLine, PortThatDoesNotOpenIsNotConnected) {
    const auto result =
        Datadock({"model-save", "--port", "/dev/ttyUSB-none-such", "--out", TempPath("m.csv")});
    EXPECT_EQ(result.exitStatus, 4);
    EXPECT_EQ(result.out, "Not connected.\n");
    EXPECT_THAT(result.err, HasSubstr("No such file or directory"));
}

TEST(CommandLine, LogSaveCompletesAndWritesBothFiles) {
    ktr90::SimulatedLogger logger(SmallLog());
    const std::string lap = TempPath("cli_lap.csv"), log = TempPath("cli_log.csv");
    const auto result =
        Datadock({"log-save", "--port", logger.portPath(), "--lap", lap, "--log", log});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "Completed to receive data!!\n");
    EXPECT_THAT(ReadFileBytes(lap), HasSubstr("1,'00:01.00\r\n"));
    EXPECT_THAT(ReadFileBytes(log), HasSubstr("'00:00.00,0,0,512,7.42,25,30,000\r\n"));
    EXPECT_THAT(result.err, HasSubstr("100%"));
}

TEST(CommandLine, NoDataFailureAndCancelHaveTheirOwnStatuses) {
    auto empty = SmallLog();
    empty.lapReplies = {ktr90::kNoData};
    ktr90::SimulatedLogger noData(empty);
    const auto none = Datadock({"log-save", "--port", noData.portPath(), "--lap",
                                TempPath("n_lap.csv"), "--log", TempPath("n_log.csv")});
    EXPECT_EQ(none.exitStatus, 3);
    EXPECT_EQ(none.out, "No data.\n");

    auto broken = SmallLog();
    broken.modelReplies = {"K00,0001\r\n"};
    ktr90::SimulatedLogger failing(broken);
    const auto failed =
        Datadock({"model-save", "--port", failing.portPath(), "--out", TempPath("f.csv")});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_EQ(failed.out, "Failed to receive data.\n");

    auto silent = SmallLog();
    silent.faults = {ktr90::parseFault("IgnoreHandshake")};
    ktr90::SimulatedLogger ignoring(silent);
    const auto cancelled =
        Datadock({"model-save", "--port", ignoring.portPath(), "--out", TempPath("c.csv")}, {},
                 [&](int pid) {
                     ignoring.waitForCommands(1, 5000);
                     ::kill(pid, SIGINT);
                 });
    EXPECT_EQ(cancelled.exitStatus, 2);
    EXPECT_EQ(cancelled.out, "");
    const auto commands = ignoring.receivedCommands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DEND"), 0);
}

TEST(CommandLine, ModelSaveAndUpdateComplete) {
    ktr90::SimulatedLogger logger(SmallLog());
    const std::string model = TempPath("cli_model.csv");
    const auto saved = Datadock({"model-save", "--port", logger.portPath(), "--out", model});
    EXPECT_EQ(saved.exitStatus, 0) << saved.err;
    EXPECT_EQ(ReadFileBytes(model), "300\r\n07\r\n");

    const std::string file =
        WriteFileBytes("cli.dat", "S00F000044415441\r\nS2140000000123ABCD00\r\nS9030000FC\r\n");
    const auto updated = Datadock({"update", "--port", logger.portPath(), file});
    EXPECT_EQ(updated.exitStatus, 0) << updated.err;
    EXPECT_EQ(updated.out, "Update complete!!\nReboot the KTR-90.\n");
    EXPECT_THAT(updated.err, HasSubstr("Ver 1.04 \xE2\x86\x92 Ver 6.02"));
    EXPECT_EQ(logger.receivedImage(),
              (std::vector<std::string>{"S00F000044415441", "S2140000000123ABCD00", "S9030000FC"}));
}

}  // namespace
