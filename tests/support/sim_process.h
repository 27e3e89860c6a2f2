#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The ktr90-sim program of the build tree, running as its own process: the
// fault matrix and the soak run the real program against it. The destructor
// ends it (SIGTERM, then SIGKILL should it not go).
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& options);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The pseudo-terminal it serves; empty when it did not start.
    const std::string& portPath() const { return m_port; }
    pid_t pid() const { return m_pid; }
    // Ends it: SIGTERM, and SIGKILL should it still run 5 s later. Returns its
    // exit status, -1 when it did not exit by itself.
    int stop();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_port;
};
