// The serial device on Windows: the communications API on a synchronous
// handle. A wait is a read that the driver ends at the first byte or when its
// time-out passes: a polling sleep would last a whole timer tick (15.6 ms) on
// Windows and slow every reply down.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "serial/port_name_rule.h"
#include "serial/serial_device.h"
#include "serial/win32_error.h"
#include "serial/win32_port_lock.h"
#include "text/translation.h"
#include "text/utf16.h"

namespace {

// A write the line cannot take within this time ends short instead of
// freezing the program.
constexpr DWORD kWriteWaitMs = 2000;

class Win32SerialDevice final : public SerialDevice {
public:
    ~Win32SerialDevice() override {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }

    bool open(const std::string& name) override {
        if (!m_lock.acquire(name)) {
            const DWORD code = GetLastError();
            return code == ERROR_ACCESS_DENIED
                       ? fail({translated("locked by another DataDock"), DeviceProblem::InUse})
                       : failWithLastError();
        }
        // The \\.\ form reaches every port, COM10 and above included.
        const std::wstring path = L"\\\\.\\" + utf8ToUtf16(name);
        m_handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_handle == INVALID_HANDLE_VALUE) {
            failWithLastError();
            m_lock.release();
            return false;
        }
        return true;
    }

    // Reads of what has arrived never wait (readNow asks the queue first);
    // the read a wait makes waits for its first byte, up to its time-out.
    bool makeReadsReturnAtOnce() override {
        COMMTIMEOUTS timeouts{};
        if (!GetCommTimeouts(m_handle, &timeouts)) {
            return failWithLastError();
        }
        // No write time-out at all would let a stuck line hang the program.
        if (timeouts.WriteTotalTimeoutMultiplier == 0 && timeouts.WriteTotalTimeoutConstant == 0) {
            timeouts.WriteTotalTimeoutConstant = kWriteWaitMs;
        }
        m_timeouts = timeouts;
        return setReadWait(1);
    }

    bool setLine(const LineSettings& line) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(m_handle, &dcb)) {
            return failWithLastError();
        }
        dcb.BaudRate = static_cast<DWORD>(line.baudRate);
        dcb.ByteSize = static_cast<BYTE>(line.dataBits);
        dcb.fParity = FALSE;
        dcb.Parity = static_cast<BYTE>(line.parity);
        dcb.StopBits = static_cast<BYTE>(line.stopBits);
        dcb.fOutxCtsFlow = line.hardwareHandshake ? TRUE : FALSE;
        dcb.fRtsControl = line.hardwareHandshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
        if (SetCommState(m_handle, &dcb)) {
            return true;
        }
        // A line without modem lines (a pseudo-terminal under Wine) cannot
        // raise RTS. Only that request may be given up: the rest of the
        // setting is made again without it, and a second refusal is an error.
        if (GetLastError() != ERROR_NOT_SUPPORTED || line.hardwareHandshake) {
            return failWithLastError();
        }
        dcb.fRtsControl = RTS_CONTROL_DISABLE;
        return SetCommState(m_handle, &dcb) || failWithLastError();
    }

    void clearErrors() override {
        DWORD errors = 0;
        ClearCommError(m_handle, &errors, nullptr);
    }

    long readNow(char* buffer, std::size_t capacity) override {
        if (m_waitFailed) {
            return -1;
        }
        if (m_early && capacity > 0) {
            return takeEarlyByte(buffer);
        }
        const long queued = queuedBytes();
        if (queued <= 0) {
            return queued;
        }
        // Bytes are there, so the read returns with them at once.
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(capacity, queued));
        if (!ReadFile(m_handle, buffer, want, &got, nullptr)) {
            failWithLastError();
            return -1;
        }
        return static_cast<long>(got);
    }

    // The byte the read brings is kept for the next readNow.
    WaitResult waitReadable(int timeoutMs) override {
        if (m_early || m_waitFailed) {
            return WaitResult::Readable;
        }
        const long queued = queuedBytes();
        if (queued != 0) {
            return queued > 0 ? WaitResult::Readable : WaitResult::HungUp;
        }
        if (timeoutMs <= 0) {
            return WaitResult::TimedOut;
        }
        if (!setReadWait(static_cast<DWORD>(timeoutMs))) {
            return failedWait();
        }
        // One byte: Windows ends such a read at the first byte, Wine only when
        // all it asked for has come; the rest is read from the queue.
        char byte = 0;
        DWORD got = 0;
        if (!ReadFile(m_handle, &byte, 1, &got, nullptr)) {
            failWithLastError();
            return failedWait();
        }
        if (got > 0) {
            m_early = byte;
            return WaitResult::Readable;
        }
        return queuedBytes() >= 0 ? WaitResult::TimedOut : WaitResult::HungUp;
    }

    long write(const char* data, std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            DWORD put = 0;
            if (!WriteFile(m_handle, data + done, static_cast<DWORD>(size - done), &put, nullptr)) {
                failWithLastError();
                return -1;
            }
            if (put == 0) {
                break;  // the write time-out ran out: a short write
            }
            done += put;
        }
        return static_cast<long>(done);
    }

    bool close() override {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        m_early.reset();
        m_waitFailed = false;
        m_lock.release();
        return CloseHandle(handle) || failWithLastError();
    }

    DeviceError lastError() const override { return m_error; }

private:
    bool fail(DeviceError error) {
        m_error = std::move(error);
        return false;
    }

    bool failWithLastError() { return fail(win32DeviceError(GetLastError())); }

    // A device that has gone ends the wait; any other failure is reported by
    // the read that follows.
    WaitResult failedWait() {
        if (m_error.problem == DeviceProblem::Gone) {
            return WaitResult::HungUp;
        }
        m_waitFailed = true;
        return WaitResult::Readable;
    }

    // The read ends at the first byte that arrives, or empty when the time
    // passes first. Set anew only when the wait differs from the last one.
    bool setReadWait(DWORD waitMs) {
        if (m_timeouts.ReadIntervalTimeout == MAXDWORD &&
            m_timeouts.ReadTotalTimeoutMultiplier == MAXDWORD &&
            m_timeouts.ReadTotalTimeoutConstant == waitMs) {
            return true;
        }
        COMMTIMEOUTS timeouts = m_timeouts;
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
        timeouts.ReadTotalTimeoutConstant = waitMs;
        if (!SetCommTimeouts(m_handle, &timeouts)) {
            return failWithLastError();
        }
        m_timeouts = timeouts;
        return true;
    }

    // How many bytes wait in the driver's queue; -1 when the device has gone.
    // An empty read is normal while the logger is silent, but a line whose
    // far end has gone keeps reading empty too: only the error state tells.
    long queuedBytes() {
        DWORD errors = 0;
        COMSTAT status{};
        if (ClearCommError(m_handle, &errors, &status)) {
            return static_cast<long>(status.cbInQue);
        }
        const DeviceError error = win32DeviceError(GetLastError());
        if (error.problem != DeviceProblem::Gone) {
            return 0;  // unknown: the wait's read tells
        }
        m_error = error;
        return -1;
    }

    long takeEarlyByte(char* buffer) {
        buffer[0] = *m_early;
        m_early.reset();
        return 1;
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    Win32PortLock m_lock;
    DeviceError m_error;
    COMMTIMEOUTS m_timeouts{};
    std::optional<char> m_early;  // the byte a wait's read brought
    bool m_waitFailed = false;
};

}  // namespace

std::unique_ptr<SerialDevice> makePlatformSerialDevice() {
    return std::make_unique<Win32SerialDevice>();
}

PortNaming platformPortNaming() {
    return PortNaming::Windows;
}
