// datadock: the transfers of the window, from a terminal or a script.
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "app/file_dialog.h"
#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/terminal_platform.h"
#include "serial/port_discovery.h"

namespace {

constexpr char kUsage[] =
    "usage: datadock ports\n"
    "       datadock --version\n"
    "       datadock log-save [--port PORT] --lap LAP.csv --log LOG.csv\n"
    "       datadock model-save [--port PORT] --out FILE.csv\n"
    "       datadock update [--port PORT] FILE.dat\n";

struct Request {
    std::string command;
    std::string port;
    std::deque<std::string> paths;  // in the order the transfer asks for them
};

int Usage(const char* problem) {
    std::fprintf(stderr, "datadock: %s\n%s", problem, kUsage);
    return kExitUsage;
}

// The files each transfer takes, in the order it asks for them; "" is the
// file given without an option.
const std::map<std::string, std::vector<std::string>> kFileOptions = {
    {"log-save", {"--lap", "--log"}}, {"model-save", {"--out"}}, {"update", {""}}};

// Options in any order (the last of a repeated one counts); exactly the files
// the transfer takes, none empty.
bool ParseTransfer(int argc, char** argv, Request& request) {
    std::map<std::string, std::string> files;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool isOption = arg.rfind("--", 0) == 0;
        if (isOption && i + 1 >= argc) {
            return false;
        }
        const std::string key = isOption ? arg : "";
        const std::string value = isOption ? argv[++i] : arg;
        if (value.empty() || (key.empty() && files.count(key) != 0)) {
            return false;
        }
        (key == "--port" ? request.port : files[key]) = value;
    }
    const std::vector<std::string>& wanted = kFileOptions.at(request.command);
    if (files.size() != wanted.size()) {
        return false;
    }
    for (const std::string& key : wanted) {
        const auto given = files.find(key);
        if (given == files.end()) {
            return false;
        }
        request.paths.push_back(given->second);
    }
    return true;
}

int ListPorts() {
    ComboModel sorted;
    for (const std::string& port : offeredPorts()) {
        sorted.Add(port);
    }
    for (const std::string& port : sorted.items) {
        std::printf("%s\n", port.c_str());
    }
    return kExitCompleted;
}

int RunTransfer(const Request& request) {
    std::vector<std::string> ports = {request.port};
    if (request.port.empty()) {
        ports = offeredPorts();
        if (ports.size() != 1) {
            std::fprintf(stderr, "datadock: %s; choose one with --port\n",
                         ports.empty() ? "no KTR-90 port found" : "several ports found");
            for (const std::string& port : ports) {
                std::fprintf(stderr, "  %s\n", port.c_str());
            }
            return kExitUsage;
        }
    }
    TerminalPlatform platform(request.paths);
    CDatadockDlg dlg(
        platform, [&ports] { return ports; }, [] { return std::make_unique<SerialPortAPI>(); });
    platform.Attach(dlg);
    TerminalPlatform::CatchInterrupt();
    dlg.m_bShowModelSave = 1;
    dlg.OnInitDialog();
    if (request.command == "log-save") {
        dlg.OnLogSave();
    } else if (request.command == "model-save") {
        dlg.OnModelSave();
    } else {
        dlg.OnSoftwareUpdate();
    }
    const bool cancelled = dlg.m_bCancelRequested != 0;
    dlg.OnDestroy();
    return ExitStatusFor(platform.Messages(), cancelled);
}

}  // namespace

int main(int argc, char** argv) {
    PrepareConsole(argc, argv);
    if (argc < 2) {
        return Usage("no command given");
    }
    Request request;
    request.command = argv[1];
    if (request.command == "--version" && argc == 2) {
        std::printf("datadock %s (DATADOCK MANAGER)\n", DATADOCK_VERSION);
        return kExitCompleted;
    }
    if (request.command == "ports" && argc == 2) {
        return ListPorts();
    }
    if (kFileOptions.count(request.command) == 0) {
        return Usage(("unknown command: " + request.command).c_str());
    }
    if (!ParseTransfer(argc, argv, request)) {
        return Usage(("wrong arguments for " + request.command).c_str());
    }
    if (request.command == "log-save" && IsSamePath(request.paths[0], request.paths[1])) {
        return Usage("the log file must not be the lap file");
    }
    return RunTransfer(request);
}
