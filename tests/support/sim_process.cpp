#include "tests/support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/support/process_runner.h"

extern char** environ;

SimProcess::SimProcess(const std::vector<std::string>& options) {
    std::vector<std::string> argv = {BuildTreeProgram("sim/ktr90-sim")};
    argv.insert(argv.end(), options.begin(), options.end());
    std::vector<char*> args;
    for (std::string& a : argv) {
        args.push_back(a.data());
    }
    args.push_back(nullptr);
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (::posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ) != 0) {
        m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    m_out = out[0];
    pollfd ready{m_out, POLLIN, 0};
    for (char c = 0; ::poll(&ready, 1, 5000) > 0 && ::read(m_out, &c, 1) == 1 && c != '\n';) {
        m_port += c;
    }
}

int SimProcess::stop() {
    if (m_pid <= 0) {
        return -1;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int tries = 0; tries < 500 && ended == 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = ::waitpid(m_pid, &status, WNOHANG);
    }
    if (ended == 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

SimProcess::~SimProcess() {
    stop();
    if (m_out >= 0) {
        ::close(m_out);
    }
}
