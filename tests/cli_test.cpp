// The datadock command line as scripts and new users meet it: exit statuses,
// messages that say what is wrong, files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#include "sim/records.h"
#include "sim/scenario_file.h"
#include "sim/simulated_logger.h"
#include "tests/support/process_runner.h"
#include "tests/support/temp_files.h"
#include "text/translation.h"

namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// datadock with the given ports offered besides any real cable (none in tests).
ProcessResult Datadock(const std::vector<std::string>& args, const std::string& extraPorts = "",
                       const std::function<void(int)>& whileRunning = {}) {
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, {"DATADOCK_EXTRA_PORTS=" + extraPorts}, whileRunning);
}

// datadock in the language a locale's name asks for, whatever the tests run in.
ProcessResult DatadockIn(const std::string& locale, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {BuildTreeProgram("cli/datadock")};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(
        argv, {"DATADOCK_EXTRA_PORTS=", "LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=" + locale});
}

ktr90::Scenario SmallLog() {
    using ktr90::record, ktr90::timeGroup;
    ktr90::Scenario s;
    const std::string second = record(timeGroup(0, 1, 0));
    s.lapReplies = {
        record("0001,CLI"), second, second, second, record(timeGroup(0, 0, 0) + ",0001"), second};
    s.sampleReplies = {record("0001,CLI"), record("000A"), record("0078,0078,0100,02E6,0019,001E")};
    s.modelReplies = ktr90::modelRecords({300, 7});
    return s;
}

TEST(CommandLine, PortsHelpAndUsageErrorsThatSayWhat) {
    const std::string twoPorts = "/dev/pts/97:/dev/pts/101";
    const auto ports = Datadock({"ports"}, twoPorts);
    EXPECT_EQ(ports.exitStatus, 0);
    EXPECT_EQ(ports.out, "/dev/pts/101\n/dev/pts/97\n") << "in the combo box's text order";
    const auto none = Datadock({"ports"});
    EXPECT_EQ(none.exitStatus, 0);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, "No KTR-90 cable found.\n");

    for (const char* help : {"--help", "-h"}) {
        const auto result = Datadock({help});
        EXPECT_EQ(result.exitStatus, 0) << help;
        EXPECT_THAT(result.out, StartsWith("usage: datadock ports\n")) << help;
    }
    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{}, ""},
        {{"frobnicate"}, ""},
        {{"log-save", "--lap", "a.csv"}, "--log FILE is missing"},
        {{"log-save", "--lap", "a.csv", "--lgo", "b.csv"}, "unknown option --lgo"},
        {{"model-save", "--out"}, "--out needs a value"},
        {{"update"}, "update needs the update file"},
        {{"update", "a.dat", "b.dat"}, "unexpected argument b.dat"},
        {{"log-save", "--port", "/dev/null", "--lap", "same.csv", "--log", "./same.csv"},
         "must not be the lap file"},
        {{"model-save", "--out", "two.csv"}, "/dev/pts/97"},  // several cables: choose one
    };
    for (const auto& [args, problem] : wrong) {
        const auto result = Datadock(args, twoPorts);
        EXPECT_EQ(result.exitStatus, 64) << problem;
        EXPECT_THAT(result.err, HasSubstr(problem));
    }
}

TEST(CommandLine, NoCableOrAPortThatDoesNotOpenIsNotConnected) {
    const auto none = Datadock({"model-save", "--out", TempPath("none.csv")});
    const auto unopened =
        Datadock({"model-save", "--port", "/dev/ttyUSB-none-such", "--out", TempPath("m.csv")});
    for (const ProcessResult& result : {none, unopened}) {
        EXPECT_EQ(result.exitStatus, 4);
        EXPECT_EQ(result.out, "Not connected.\n");
    }
    EXPECT_THAT(unopened.err, HasSubstr("No such file or directory"));
}

TEST(CommandLine, LogSaveWritesBothFilesAndRefusesAMissingFolderBeforeAsking) {
    ktr90::SimulatedLogger logger(SmallLog());
    const std::string lap = TempPath("cli_lap.csv"), log = TempPath("cli_log.csv");
    const std::string lost = TempPath("no_such_folder/lap.csv");
    const auto refused =
        Datadock({"log-save", "--port", logger.portPath(), "--lap", lost, "--log", log});
    EXPECT_EQ(refused.exitStatus, 64);
    EXPECT_EQ(refused.err, "datadock: cannot save " + lost + ": its folder does not exist\n")
        << "a well-formed command: one line, no usage";
    EXPECT_TRUE(logger.receivedCommands().empty()) << "refused before the logger is asked";

    // --view: the viewer (here a stand-in that notes its arguments) gets the pair.
    const std::string viewed = TempPath("viewed.txt");
    const std::string viewer =
        WriteFileBytes("viewer.sh", "#!/bin/sh\nprintf '%s\\n' \"$@\" >" + viewed + ".part && mv " +
                                        viewed + ".part " + viewed + "\n");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
    ::setenv("DATADOCK_VIEWER", viewer.c_str(), 1);
    const auto result =
        Datadock({"log-save", "--view", "--port", logger.portPath(), "--lap", lap, "--log", log});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    for (int i = 0; i < 250 && !FileExists(viewed); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(ReadFileBytes(viewed), lap + "\n" + log + "\n");
    EXPECT_THAT(ReadFileBytes(lap), HasSubstr("1,'00:01.00\r\n"));
    EXPECT_THAT(ReadFileBytes(log), HasSubstr("'00:00.00,0,0,512,7.42,25,30,000\r\n"));
    EXPECT_THAT(result.err, StartsWith("LOG SAVE ")) << "the transfer is named before its file";
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
    EXPECT_EQ(failed.err.find("holds only part of the data"),
              failed.err.rfind("holds only part of the data"))
        << "the partial file is named once: " << failed.err;

    auto silent = SmallLog();
    silent.faults = {ktr90::parseFault("IgnoreHandshake")};
    ktr90::SimulatedLogger ignoring(silent);
    const auto cancelled =
        Datadock({"model-save", "--port", ignoring.portPath(), "--out", TempPath("c.csv")}, "",
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

    // Lines ended by line feeds alone reach the logger as they are, a blank one too.
    const std::vector<std::string> lines = {"S00F000044415441", "S2140000000123ABCD00", "",
                                            "S214000010 spaces  kept "};
    const auto updated = Datadock(
        {"update", "--port", logger.portPath(),
         WriteFileBytes("cli.dat", lines[0] + "\n" + lines[1] + "\n\n" + lines[3] + "\n")});
    EXPECT_EQ(updated.exitStatus, 0) << updated.err;
    EXPECT_THAT(updated.err, HasSubstr("Ver 1.04 \xE2\x86\x92 Ver 6.02"));
    EXPECT_EQ(logger.receivedImage(), lines);
}

// The Japanese help is the English one with its two texts translated; the
// switch, before or after the command, brings back every English byte.
TEST(CommandLine, HelpInJapanese_EnglishWithTheSwitchAnywhere) {
    const std::string note =
        "--english, before or after the command, shows every message in English.\n";
    const auto english = DatadockIn("C", {"--help"});
    ASSERT_THAT(english.out, StartsWith("usage: "));
    ASSERT_THAT(english.out, ::testing::EndsWith(note));
    const std::string commands = english.out.substr(6, english.out.size() - 6 - note.size());
    EXPECT_EQ(DatadockIn("ja_JP.UTF-8", {"--help"}).out,
              japaneseText("usage:") + commands + japaneseText(note));
    EXPECT_EQ(DatadockIn("ja_JP.UTF-8", {"--english", "--help"}).out, english.out);
    EXPECT_EQ(DatadockIn("ja_JP.UTF-8", {"-h", "--english"}).out, english.out);
    const auto wrong = DatadockIn("C", {"update"});
    EXPECT_EQ(DatadockIn("ja_JP.UTF-8", {"update", "--english"}).err, wrong.err);
}

// A LOG SAVE in Japanese says so in Japanese and saves the bytes an English
// one saves; a port that does not open ends alike in both, said in Japanese.
TEST(CommandLine, JapaneseRunsSaveTheSameFilesAndExitAlike) {
    std::map<std::string, ProcessResult> saved, unopened;
    for (const std::string locale : {"C", "ja_JP.UTF-8"}) {
        ktr90::SimulatedLogger logger(ktr90::loadScenarioFile(std::string(DATADOCK_TEST_DATA_DIR) +
                                                              "/normal_session.scenario"));
        saved[locale] = DatadockIn(
            locale, {"log-save", "--port", logger.portPath(), "--lap",
                     TempPath(locale + "_lap.csv"), "--log", TempPath(locale + "_log.csv")});
        unopened[locale] = DatadockIn(locale, {"model-save", "--port", "/dev/ttyUSB-none-such",
                                               "--out", TempPath(locale + "_model.csv")});
    }
    const auto& japanese = saved["ja_JP.UTF-8"];
    EXPECT_EQ(japanese.exitStatus, 0) << japanese.err;
    EXPECT_EQ(japanese.out, japaneseText("Completed to receive data!!") + "\n");
    for (const char* file : {"_lap.csv", "_log.csv"}) {
        EXPECT_EQ(ReadFileBytes(TempPath(std::string("ja_JP.UTF-8") + file)),
                  ReadFileBytes(TempPath(std::string("C") + file)));
    }
    useUiLanguage(UiLanguage::Japanese);
    const std::string why =
        translated("Cannot open {port}. {reason}",
                   {{"port", "/dev/ttyUSB-none-such"},
                    {"reason", translated("The port is not there: the cable was unplugged.")}});
    useUiLanguage(UiLanguage::English);
    EXPECT_EQ(unopened["ja_JP.UTF-8"].exitStatus, unopened["C"].exitStatus);
    EXPECT_EQ(unopened["ja_JP.UTF-8"].out, japaneseText("Not connected.") + "\n");
    EXPECT_EQ(unopened["ja_JP.UTF-8"].err, why + " (No such file or directory)\n");
}

}  // namespace
