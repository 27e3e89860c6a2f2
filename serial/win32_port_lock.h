#pragma once

#include <windows.h>

#include <string>

// Keeps a second DataDock, in this or another process, away from a port this
// one holds, also where the driver would let a second open through. The lock
// is a named kernel object: it goes away with the last handle, so a program
// that dies never leaves a port locked.
class Win32PortLock {
public:
    Win32PortLock() = default;
    ~Win32PortLock() { release(); }
    Win32PortLock(const Win32PortLock&) = delete;
    Win32PortLock& operator=(const Win32PortLock&) = delete;

    // False when another holder has it, or the object cannot be made
    // (GetLastError() tells which).
    bool acquire(const std::string& portName);
    void release();

private:
    HANDLE m_handle = nullptr;
};
