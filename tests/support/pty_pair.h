#pragma once

#include <string>

// A pseudo-terminal pair for tests: the program opens slavePath() like a
// serial port, the test plays the device on the master side.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return m_slavePath; }
    void writeMaster(const std::string& bytes);
    // Everything the program wrote, waiting up to timeoutMs for a line feed.
    std::string readMasterLine(int timeoutMs = 2000);
    // Closes the device side, as a pulled cable does.
    void hangUp();

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};
