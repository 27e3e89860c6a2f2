// The ktr90-sim program, started as a process the way the demo starts it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/support/sim_client.h"

extern char** environ;

namespace {

TEST(SimExecutable, PrintsItsPort_ServesAnExchange_AndEndsCleanlyOnSigterm) {
    char program[] = DATADOCK_BINARY_DIR "/sim/ktr90-sim", option[] = "--version", text[] = "3.01";
    char* argv[] = {program, option, text, nullptr};
    int out[2];
    ASSERT_EQ(::pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = -1;
    const int failed = ::posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    struct Reaper {  // kills the simulator should the test leave it running
        pid_t& pid;
        int fd;
        ~Reaper() {
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
            ::close(fd);
        }
    } reaper{pid, out[0]};
    ASSERT_EQ(failed, 0) << "cannot start " << program;

    std::string port;
    pollfd ready{out[0], POLLIN, 0};
    for (char c = 0; ::poll(&ready, 1, 5000) > 0 && ::read(out[0], &c, 1) == 1 && c != '\n';) {
        port += c;
    }
    ASSERT_TRUE(port.starts_with("/dev/")) << port;
    {
        SimClient client(port);
        EXPECT_EQ(client.exchange("SUPV", 2000), "OK00,3.01\r\n");
    }

    ::kill(pid, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int tries = 0; tries < 500 && ended == 0; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = ::waitpid(pid, &status, WNOHANG);
    }
    ASSERT_EQ(ended, pid) << "still running 5 s after SIGTERM";
    pid = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "wait status " << status;
}

}  // namespace
