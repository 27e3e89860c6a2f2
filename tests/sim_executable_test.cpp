// The ktr90-sim program, started as a process the way the demo starts it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/sim_client.h"

extern char** environ;

namespace {

const std::string kSimPath = DATADOCK_BINARY_DIR "/sim/ktr90-sim";

// A running ktr90-sim with its standard output on a pipe; killed if a test
// leaves it running.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& arguments) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe failed");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        std::vector<std::string> words{kSimPath};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const int failed =
            ::posix_spawn(&m_pid, kSimPath.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_stdout = out[0];
        if (failed != 0) {
            m_pid = -1;
            throw std::runtime_error("cannot start " + kSimPath);
        }
    }

    ~SimProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_stdout);
    }

    // The first line of standard output, without its line feed.
    std::string firstLine(int timeoutMs = 5000) {
        std::string line;
        char c = 0;
        pollfd ready{m_stdout, POLLIN, 0};
        while (::poll(&ready, 1, timeoutMs) > 0 && ::read(m_stdout, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    void signal(int number) { ::kill(m_pid, number); }

    // The exit code, or -1 when it has not exited normally within the time.
    int exitCode(int timeoutMs = 5000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
};

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(SimExecutable, PrintsItsPortServesAndEndsCleanlyOnSigterm) {
    SimProcess sim({});
    const std::string port = sim.firstLine();
    ASSERT_TRUE(port.starts_with("/dev/")) << port;
    {
        SimClient client(port);
        EXPECT_EQ(client.exchange("DSTA,1", 2000), "OK00\r\n");
        EXPECT_EQ(client.exchange("DEND", 2000), "OK00\r\n");
    }
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(SimExecutable, ServesOnceFromAScenarioFile_AndWritesTheImage) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("sim_executable_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "scenario.txt") << "version 3.01\nfault StrayLineFeed@SUPS\n";

    SimProcess sim({"--scenario", (dir / "scenario.txt").string(), "--once", "--image-out",
                    (dir / "image.dat").string(), "--transcript", (dir / "log.txt").string()});
    {
        SimClient client(sim.firstLine());
        EXPECT_EQ(client.exchange("SUPM", 2000), "OK00\r\n");
        EXPECT_EQ(client.exchange("SUPV", 2000), "OK00,3.01\r\n");
        EXPECT_EQ(client.exchange("SUPS", 2000), "\n");
        EXPECT_EQ(client.readLine(2000), "OK00\r\n");
        EXPECT_EQ(client.exchange("SUPD,:020000", 2000), "OK00\r\n");
        EXPECT_EQ(client.exchange("SUPD,:00000001FF", 2000), "OK00\r\n");
        EXPECT_EQ(client.exchange("SUPE", 2000), "OK00\r\n");
    }
    EXPECT_EQ(sim.exitCode(), 0) << "one update is one conversation";
    EXPECT_EQ(fileText(dir / "image.dat"), ":020000\r\n:00000001FF\r\n");
    EXPECT_NE(fileText(dir / "log.txt").find("recv SUPE"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(SimExecutable, RefusesAnUnknownOption) {
    SimProcess sim({"--no-such-option"});
    EXPECT_EQ(sim.firstLine(), "");
    EXPECT_EQ(sim.exitCode(), 2);
}

}  // namespace
