#pragma once

#include <functional>
#include <memory>
#include <string>

#include "serial/clock.h"
#include "serial/serial_device.h"
#include "serial/serial_port_exception.h"

// The program's one access to the logger: opens a port by name with the
// logger's line settings, writes command lines and collects reply lines with
// a time-out in whole seconds. System failures throw SerialPortException.
class SerialPortAPI {
public:
    // A reply longer than this without a line feed ends the receive as a
    // time-out, so a babbling device cannot grow memory without bound.
    static constexpr std::size_t kMaxReplyBytes = 64 * 1024;
    static constexpr int kReadChunk = 512;
    // What recvString returns when no line feed arrived within the time-out.
    static constexpr int kTimedOut = -2;

    SerialPortAPI();
    SerialPortAPI(std::unique_ptr<SerialDevice> device, Clock& clock);
    virtual ~SerialPortAPI();

    SerialPortAPI(const SerialPortAPI&) = delete;
    SerialPortAPI& operator=(const SerialPortAPI&) = delete;

    virtual void Open();
    virtual void Close();
    virtual bool IsOpen();
    // Stores the receive time-out in seconds; returns the previous value.
    virtual int SetTimeout(int seconds);
    // Writes the whole text in one call; returns the bytes written.
    virtual int SendTo(const std::string& text);
    // Receives one reply into text. Returns its length in bytes, or kTimedOut
    // when no line feed arrived within the time-out (text keeps what did arrive).
    virtual int recvString(std::string& text);

    // Called while a receive waits, at least every kWaitSliceMs: the window
    // keeps its events flowing there. Whatever the hook throws ends the receive.
    static constexpr int kWaitSliceMs = 20;
    void SetWaitHook(std::function<void()> hook) { m_waitHook = std::move(hook); }

    bool SetPortName(std::string name);
    void SetTimeoutCheck(bool check);
    // Open and Close with the exception turned into -1 (1 on success).
    int TryOpen();
    int TryClose();
    int SetRecvTimeout(int seconds);

    const std::string& PortName() const { return m_portName; }
    // Why the last TryOpen or TryClose failed: the exception's text, the same
    // in a user's words, and the system's reason behind an open failure.
    const std::string& LastErrorText() const { return m_lastErrorText; }
    const std::string& LastUserText() const { return m_lastUserText; }
    const DeviceError& LastSystemError() const { return m_lastSystemError; }

private:
    [[noreturn]] void throwWithSystemText(const std::string& prefix);
    [[noreturn]] static void throwFor(const std::string& prefix, const DeviceError& error);
    [[noreturn]] void failOpenStep(const std::string& prefix);
    std::int64_t secondsNow();
    bool timedOut(std::int64_t startSecond);
    void waitForBytes(std::int64_t startSecond);
    void serviceWaitHook();
    int catchFailure(const std::function<void()>& operation);

    std::unique_ptr<SerialDevice> m_device;
    Clock& m_clock;
    LineSettings m_line;
    std::string m_portName;
    int m_recvTimeoutSeconds = 10;
    bool m_isOpen = false;
    bool m_timeoutCheck = true;
    std::string m_lastErrorText;
    std::function<void()> m_waitHook;
    std::int64_t m_lastHookMs = 0;
    std::string m_lastUserText;
    DeviceError m_lastSystemError;
};
