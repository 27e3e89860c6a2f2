// The serial device on Windows: the communications API on a synchronous
// handle, polled, since reads are set to return at once.
#include <windows.h>

#include "serial/port_name_rule.h"
#include "serial/serial_device.h"
#include "serial/win32_error.h"
#include "serial/win32_port_lock.h"
#include "text/utf16.h"

namespace {

// A write the line cannot take within this time ends short instead of
// freezing the program.
constexpr DWORD kWriteWaitMs = 2000;
constexpr DWORD kPollMs = 1;

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
                       ? fail({"locked by another DataDock", DeviceProblem::InUse})
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

    bool makeReadsReturnAtOnce() override {
        COMMTIMEOUTS timeouts{};
        if (!GetCommTimeouts(m_handle, &timeouts)) {
            return failWithLastError();
        }
        timeouts.ReadIntervalTimeout = MAXDWORD;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = 0;
        // No write time-out at all would let a stuck line hang the program.
        if (timeouts.WriteTotalTimeoutMultiplier == 0 && timeouts.WriteTotalTimeoutConstant == 0) {
            timeouts.WriteTotalTimeoutConstant = kWriteWaitMs;
        }
        return SetCommTimeouts(m_handle, &timeouts) || failWithLastError();
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
        DWORD got = 0;
        if (!ReadFile(m_handle, buffer, static_cast<DWORD>(capacity), &got, nullptr)) {
            failWithLastError();
            return -1;
        }
        if (got == 0 && !stillThere()) {
            return -1;
        }
        return static_cast<long>(got);
    }

    // Event waits are not dependable on every driver, so the queue is polled.
    WaitResult waitReadable(int timeoutMs) override {
        const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
        for (;;) {
            DWORD errors = 0;
            COMSTAT status{};
            if (!ClearCommError(m_handle, &errors, &status)) {
                const DeviceError error = win32DeviceError(GetLastError());
                if (error.problem == DeviceProblem::Gone) {
                    m_error = error;
                    return WaitResult::HungUp;
                }
                status.cbInQue = 0;  // unknown: wait on, the read tells
            }
            if (status.cbInQue > 0) {
                return WaitResult::Readable;
            }
            if (GetTickCount64() >= deadline) {
                return WaitResult::TimedOut;
            }
            Sleep(kPollMs);
        }
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

    // An empty read is normal while the logger is silent; but a line whose far
    // end has gone keeps reading empty, and only the error state tells.
    bool stillThere() {
        DWORD errors = 0;
        if (ClearCommError(m_handle, &errors, nullptr)) {
            return true;
        }
        const DeviceError error = win32DeviceError(GetLastError());
        if (error.problem != DeviceProblem::Gone) {
            return true;
        }
        m_error = error;
        return false;
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    Win32PortLock m_lock;
    DeviceError m_error;
};

}  // namespace

std::unique_ptr<SerialDevice> makePlatformSerialDevice() {
    return std::make_unique<Win32SerialDevice>();
}

PortNaming platformPortNaming() {
    return PortNaming::Windows;
}
