// The command line as a new user meets it: help, usage errors that say what
// is wrong, no cable or several, files that cannot be saved, progress order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sim/generated_session.h"
#include "sim/simulated_logger.h"
#include "tests/support/process_runner.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// datadock with the given ports offered besides any real cable (none in tests).
ProcessResult RunDatadock(const std::vector<std::string>& args,
                          const std::string& extraPorts = "") {
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, {"DATADOCK_EXTRA_PORTS=" + extraPorts});
}

TEST(CommandLineField, HelpAndUsageErrorsSayWhat) {
    for (const char* help : {"--help", "-h"}) {
        const auto result = RunDatadock({help});
        EXPECT_EQ(result.exitStatus, 0) << help;
        EXPECT_THAT(result.out, StartsWith("usage: datadock ports\n")) << help;
    }
    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{"log-save", "--lap", "a.csv"}, "--log FILE is missing"},
        {{"log-save", "--lap", "a.csv", "--lgo", "b.csv"}, "unknown option --lgo"},
        {{"model-save", "--out"}, "--out needs a value"},
        {{"update"}, "update needs the update file"},
        {{"update", "a.dat", "b.dat"}, "unexpected argument b.dat"},
    };
    for (const auto& [args, problem] : wrong) {
        const auto result = RunDatadock(args);
        EXPECT_EQ(result.exitStatus, 64) << problem;
        EXPECT_THAT(result.err, HasSubstr(problem));
    }
}

TEST(CommandLineField, NoCableIsNotConnectedAndSeveralMustBeChosen) {
    const auto listed = RunDatadock({"ports"});
    EXPECT_EQ(listed.exitStatus, 0);
    EXPECT_EQ(listed.out, "");
    EXPECT_EQ(listed.err, "No KTR-90 cable found.\n");

    const auto none = RunDatadock({"model-save", "--out", TempPath("none.csv")});
    EXPECT_EQ(none.exitStatus, 4);
    EXPECT_EQ(none.out, "Not connected.\n");

    const auto several =
        RunDatadock({"model-save", "--out", TempPath("two.csv")}, "/dev/pts/97:/dev/pts/101");
    EXPECT_EQ(several.exitStatus, 64);
    EXPECT_THAT(several.err, HasSubstr("/dev/pts/97"));
    EXPECT_THAT(several.err, HasSubstr("/dev/pts/101"));
}

TEST(CommandLineField, AFileInAMissingFolderIsRefusedBeforeTheLoggerIsAsked) {
    ktr90::SimulatedLogger logger(ktr90::generatedSession(1));
    const std::string lap = TempPath("no_such_folder/lap.csv");
    const auto result = RunDatadock(
        {"log-save", "--port", logger.portPath(), "--lap", lap, "--log", TempPath("log.csv")});
    EXPECT_EQ(result.exitStatus, 64);
    EXPECT_THAT(result.err, HasSubstr(lap));
    EXPECT_TRUE(logger.receivedCommands().empty());
}

TEST(CommandLineField, ProgressNamesTheTransferBeforeItsFile) {
    ktr90::SimulatedLogger logger(ktr90::generatedSession(1));
    const std::string lap = TempPath("order_lap.csv");
    const auto result = RunDatadock({"log-save", "--port", logger.portPath(), "--lap", lap, "--log",
                                     TempPath("order_log.csv")});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_THAT(result.err, StartsWith("LOG SAVE ")) << result.err;
    EXPECT_LT(result.err.find("LOG SAVE"), result.err.find(lap));
}

}  // namespace
