#pragma once

#include <string>

namespace ktr90 {

// The line between the program and the simulated logger: a pseudo-terminal
// whose slave side the program opens like a serial port, while the logger
// talks on the master side.
class PseudoTerminal {
public:
    // Throws std::runtime_error when no pseudo-terminal can be had.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The path the program opens, e.g. /dev/pts/5.
    const std::string& slavePath() const { return m_slavePath; }
    int master() const { return m_master; }
    bool masterOpen() const { return m_master >= 0; }
    // Drops the line as a pulled cable does: the program sees a hang-up.
    void closeMaster();
    // Exclusive use (TIOCEXCL) lives on the terminal. A real port forgets it
    // at its last close; this one never sees a last close (this side keeps
    // the slave open), so a program that ends without releasing it (one that
    // crashed) would keep itself out. This does what the last close would.
    void releaseExclusiveUse();
    // Bytes sent to the program that it has not read yet.
    int unreadByProgram() const;

private:
    int m_master = -1;
    // Held open for the whole life so that the master never reads EIO while
    // the program has closed its side between transfers.
    int m_slave = -1;
    std::string m_slavePath;
};

}  // namespace ktr90
