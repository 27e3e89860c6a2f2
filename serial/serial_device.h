#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The line the logger speaks: 115200 baud, 8 data bits, no parity, one stop
// bit, request-to-send held on, no hardware flow control.
struct LineSettings {
    int baudRate = 115200;
    int dataBits = 8;
    int parity = 0;    // 0 = none
    int stopBits = 0;  // 0 = one, 1 = one and a half, 2 = two
    bool hardwareHandshake = false;
};

// What went wrong with the device, as far as a user can act on it.
enum class DeviceProblem { Other, NotFound, AccessDenied, InUse, Gone };

struct DeviceError {
    std::string text;  // the system's own reason, e.g. "Permission denied"
    DeviceProblem problem = DeviceProblem::Other;
};

// The problem in a user's words, the system's reason in brackets after it.
std::string UserWords(const DeviceError& error);

enum class WaitResult { Readable, TimedOut, HungUp };

// What SerialPortAPI needs of the operating system, one operation each.
// A POSIX, a Windows and a scripted test implementation sit behind it.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Opens the device by name for reading and writing, for this process only.
    virtual bool open(const std::string& name) = 0;
    // Makes every read return at once with whatever has arrived.
    virtual bool makeReadsReturnAtOnce() = 0;
    virtual bool setLine(const LineSettings& settings) = 0;
    virtual void clearErrors() = 0;
    // Reads what has arrived, up to capacity bytes, without waiting.
    // Returns the count (0 when nothing is there) or -1 on failure, a device
    // that has gone included.
    virtual long readNow(char* buffer, std::size_t capacity) = 0;
    // Waits until bytes can be read, the time passes or the device has gone.
    virtual WaitResult waitReadable(int timeoutMs) = 0;
    // Writes the bytes; returns the count written or -1 on failure.
    virtual long write(const char* data, std::size_t size) = 0;
    virtual bool close() = 0;
    virtual DeviceError lastError() const = 0;
};

// The implementation for the platform this program was built for.
std::unique_ptr<SerialDevice> makePlatformSerialDevice();
