// datadock: the transfers of the window, from a terminal or a script.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/log_viewer_launch.h"
#include "cli/plot_command.h"
#include "cli/terminal_events.h"
#include "device/file_access.h"
#include "device/log_save.h"
#include "device/model_save.h"
#include "device/port_connection.h"
#include "device/transfer_texts.h"
#include "serial/latency_timer_hint.h"
#include "serial/port_discovery.h"
#include "text/translation.h"
#include "update/software_update.h"

namespace {

// What this build can do: the plot command only where it can draw. The
// commands and options are the same in every language; the label before them
// is as wide in each, so that the lines stay lined up.
std::string UsageText() {
    return translated("usage:") +
           " datadock ports\n"
           "       datadock --version\n"
           "       datadock --help\n"
           "       datadock log-save [--port PORT] --lap LAP.csv --log LOG.csv" +
           kViewOptionUsage +
           "\n"
           "       datadock model-save [--port PORT] --out FILE.csv\n"
           "       datadock update [--port PORT] FILE.dat\n" +
           kPlotUsageLine;
}

struct Request {
    std::string command;
    std::string port;
    std::vector<std::string> paths;  // in the order the transfer takes them
    bool view = false;               // log-save --view: the saved pair in the viewer
};

// The help: the usage and the switch that every command takes.
std::string HelpText() {
    return UsageText() +
           translated("--english, before or after the command, shows every message in English.\n");
}

int Usage(const std::string& problem) {
    PrintText(stderr, "datadock: " + problem + "\n" + UsageText());
    return kExitUsage;
}

// A well-formed command that cannot be carried out: one line says why.
int Refuse(const std::string& problem) {
    PrintText(stderr, "datadock: " + problem + "\n");
    return kExitUsage;
}

// The files each transfer takes, in the order it asks for them; "" is the
// file given without an option.
const std::map<std::string, std::vector<std::string>> kFileOptions = {
    {"log-save", {"--lap", "--log"}}, {"model-save", {"--out"}}, {"update", {""}}};

// Options in any order (the last of a repeated one counts); exactly the files
// the transfer takes, none empty. What is wrong, or "" when nothing is.
std::string TransferArgumentProblem(int argc, char** argv, Request& request) {
    std::map<std::string, std::string> files;
    const std::vector<std::string>& wanted = kFileOptions.at(request.command);
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--view" && request.command == "log-save" && *kViewOptionUsage != 0) {
            request.view = true;
            continue;
        }
        const bool isOption = arg.rfind("--", 0) == 0;
        if (isOption && arg != "--port" &&
            std::find(wanted.begin(), wanted.end(), arg) == wanted.end()) {
            return translated("unknown option {option} for {command}",
                              {{"option", arg}, {"command", request.command}});
        }
        if (isOption && i + 1 >= argc) {
            return translated("{option} needs a value", {{"option", arg}});
        }
        const std::string key = isOption ? arg : "";
        const std::string value = isOption ? argv[++i] : arg;
        if (value.empty()) {
            return isOption ? translated("{option} must not be empty", {{"option", key}})
                            : translated("the file must not be empty");
        }
        if (key.empty() && (files.count(key) != 0 || !wanted.front().empty())) {
            return translated("unexpected argument {argument}", {{"argument", value}});
        }
        (key == "--port" ? request.port : files[key]) = value;
    }
    for (const std::string& key : wanted) {
        const auto given = files.find(key);
        if (given == files.end()) {
            return key.empty() ? translated("{command} needs the update file",
                                            {{"command", request.command}})
                               : translated("{option} FILE is missing", {{"option", key}});
        }
        request.paths.push_back(given->second);
    }
    return {};
}

// In the order the window's port list shows them: sorted as text. Each line
// starts with the port's name alone, which scripts take; the advice on slow
// latency timers goes to stderr so that stdout stays one port a line.
int ListPorts() {
    std::vector<FtdiPort> ports = discoverFtdiPortsWithLatency();
    for (const std::string& extra : extraPortsFromEnvironment()) {
        ports.push_back({extra, std::nullopt});
    }
    std::sort(ports.begin(), ports.end(),
              [](const FtdiPort& a, const FtdiPort& b) { return a.name < b.name; });
    if (ports.empty()) {
        PrintText(stderr, translated("No KTR-90 cable found.") + "\n");
    }
    for (const FtdiPort& port : ports) {
        PrintText(stdout, port.name + latencyTimerNote(port) + "\n");
    }
    std::fflush(stdout);  // the list, then the advice, also when both go to one file
    PrintText(stderr, latencyTimerHint(ports));
    return kExitCompleted;
}

// A file to be written into a folder that is not there would only fail once
// the logger is talking; say so before it is contacted.
std::string MissingFolderProblem(const Request& request) {
    if (request.command == "update") {
        return {};
    }
    for (const std::string& path : request.paths) {
        const std::filesystem::path folder = FilePath(path).parent_path();
        std::error_code error;
        if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
            return translated("cannot save {file}: its folder does not exist", {{"file", path}});
        }
    }
    return {};
}

// The port the transfer uses: the one given, or the only one offered; empty
// when none is offered. Several offered: the user must choose (usage error).
std::optional<std::string> TransferPort(const Request& request) {
    if (!request.port.empty()) {
        return request.port;
    }
    const std::vector<std::string> ports = offeredPorts();
    if (ports.size() > 1) {
        PrintText(stderr,
                  "datadock: " + translated("several ports found; choose one with --port") + "\n");
        for (const std::string& port : ports) {
            PrintText(stderr, "  " + port + "\n");
        }
        return std::nullopt;
    }
    return ports.empty() ? std::string() : ports.front();
}

TransferResult Transfer(const Request& request, SerialPortAPI& port, TerminalEvents& events) {
    const std::vector<std::string>& paths = request.paths;
    if (request.command == "log-save") {
        events.ShowTitle(txt::kTitleLogSave, paths[0]);
        return LogSave(port, systemClock(), events).Run(paths[0], paths[1]);
    }
    if (request.command == "model-save") {
        events.ShowTitle(txt::kTitleModelSave, paths[0]);
        return ModelSave(port, systemClock(), events).Run(paths[0]);
    }
    events.ShowTitle(txt::kTitleUpdate, "");
    return SoftwareUpdate(port, systemClock(), events).Run(paths[0]);
}

int RunTransfer(const Request& request) {
    const std::optional<std::string> name = TransferPort(request);
    if (!name) {
        return kExitUsage;
    }
    TerminalEvents events;
    TerminalEvents::CatchInterrupt();
    SerialPortAPI port;
    if (!OpenLoggerPort(port, *name)) {
        events.Finished(NotConnected(port, *name));
        return kExitNotConnected;
    }
    const TransferOutcome outcome = Transfer(request, port, events).outcome;
    port.TryClose();
    // The files are saved whatever the viewer does: its failure is only said.
    if (request.view && outcome == TransferOutcome::Completed) {
        LaunchLogViewer(request.paths[0], request.paths[1]);
    }
    return ExitStatusFor(outcome);
}

// --english, wherever it is given, makes every text English and is taken out
// of the arguments before any of them is looked at.
void TakeEnglishSwitch(int& argc, char** argv) {
    char** const end = std::remove_if(
        argv + 1, argv + argc, [](const char* arg) { return std::strcmp(arg, "--english") == 0; });
    if (end != argv + argc) {
        useUiLanguage(UiLanguage::English);
        argc = static_cast<int>(end - argv);
        *end = nullptr;
    }
}

}  // namespace

int main(int argc, char** argv) {
    PrepareConsole(argc, argv);
    TakeEnglishSwitch(argc, argv);
    if (argc < 2) {
        return Usage(translated("no command given"));
    }
    Request request;
    request.command = argv[1];
    if ((request.command == "--help" || request.command == "-h") && argc == 2) {
        PrintText(stdout, HelpText());
        return kExitCompleted;
    }
    if (request.command == "--version" && argc == 2) {
        PrintText(stdout, "datadock " DATADOCK_VERSION " (DATADOCK MANAGER)\n");
        return kExitCompleted;
    }
    if (request.command == "ports" && argc == 2) {
        return ListPorts();
    }
    if (request.command == "plot") {
        return RunPlotCommand(argc, argv);
    }
    if (kFileOptions.count(request.command) == 0) {
        return Usage(translated("unknown command: {command}", {{"command", request.command}}));
    }
    if (const std::string problem = TransferArgumentProblem(argc, argv, request);
        !problem.empty()) {
        return Usage(problem);
    }
    if (request.command == "log-save" && IsSamePath(request.paths[0], request.paths[1])) {
        return Refuse(translated("the log file must not be the lap file"));
    }
    if (const std::string problem = MissingFolderProblem(request); !problem.empty()) {
        return Refuse(problem);
    }
    return RunTransfer(request);
}
