#pragma once

#include <string>

#include "sim/pseudo_terminal.h"

// A pseudo-terminal for tests that play the device by hand: the program opens
// slavePath() like a serial port, the test writes and reads the master side.
class PtyPair {
public:
    const std::string& slavePath() const { return m_terminal.slavePath(); }
    void writeMaster(const std::string& bytes);
    // What the program wrote, waiting up to timeoutMs for a line feed.
    std::string readMasterLine(int timeoutMs = 2000);
    // Closes the device side, as a pulled cable does.
    void hangUp() { m_terminal.closeMaster(); }

private:
    ktr90::PseudoTerminal m_terminal;
};
