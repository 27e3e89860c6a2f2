#include "serial/serial_port_api.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "serial/port_name_rule.h"

namespace {
const char kReadFailure[] = "ReadFile() in SerialPortAPI::recvString(CString&): ";
const DeviceError kHungUp{"hang-up", DeviceProblem::Gone};
constexpr int kSettleMs = 10;
// Without a time-out check a receive waits for ever; it still wakes up now and
// then so that a slow clock never matters.
constexpr int kUncheckedWaitMs = 1000;
}  // namespace

SerialPortAPI::SerialPortAPI() : SerialPortAPI(makePlatformSerialDevice(), systemClock()) {}

SerialPortAPI::SerialPortAPI(std::unique_ptr<SerialDevice> device, Clock& clock)
    : m_device(std::move(device)), m_clock(clock) {}

// The port is deliberately not closed here: its owner closes it after every
// transfer.
SerialPortAPI::~SerialPortAPI() = default;

void SerialPortAPI::throwWithSystemText(const std::string& prefix) {
    throwFor(prefix, m_device->lastError());
}

void SerialPortAPI::throwFor(const std::string& prefix, const DeviceError& error) {
    throw SerialPortException(prefix + error.text, UserWords(error));
}

void SerialPortAPI::Open() {
    if (!m_device->open(m_portName)) {
        m_lastSystemError = m_device->lastError();
        throw SerialPortException("Failed to Open : " + m_portName, UserWords(m_lastSystemError));
    }
    m_timeoutCheck = true;
    if (!m_device->makeReadsReturnAtOnce()) {
        failOpenStep("CommTimeouts() in Open(): ");
    }
    if (!m_device->setLine(m_line)) {
        failOpenStep("CommState() in Open(): ");
    }
    m_device->clearErrors();
    m_clock.sleepMs(kSettleMs);
    m_isOpen = true;
}

// A port that opened but cannot be set up is closed again before the failure
// is reported.
void SerialPortAPI::failOpenStep(const std::string& prefix) {
    m_lastSystemError = m_device->lastError();
    m_device->close();
    throwFor(prefix, m_lastSystemError);
}

void SerialPortAPI::Close() {
    if (!m_device->close()) {
        throwWithSystemText("CloseHandle() in Close(): ");
    }
    m_clock.sleepMs(kSettleMs);
    m_isOpen = false;
}

bool SerialPortAPI::IsOpen() {
    return m_isOpen;
}

int SerialPortAPI::SetTimeout(int seconds) {
    const int previous = m_recvTimeoutSeconds;
    m_recvTimeoutSeconds = seconds;
    return previous;
}

int SerialPortAPI::SendTo(const std::string& text) {
    const long written = m_device->write(text.data(), text.size());
    if (written < 0) {
        throwWithSystemText("WriteFile() in SendTo(CString&): ");
    }
    return static_cast<int>(written);
}

std::int64_t SerialPortAPI::secondsNow() {
    return m_clock.monotonicMs() / 1000;
}

// Whole seconds, as the logger's protocol was designed around: a time-out of n
// ends between n - 1 and n seconds after the call began.
bool SerialPortAPI::timedOut(std::int64_t startSecond) {
    return m_timeoutCheck && secondsNow() - startSecond >= m_recvTimeoutSeconds;
}

void SerialPortAPI::waitForBytes(std::int64_t startSecond) {
    int waitMs = m_waitHook ? kWaitSliceMs : kUncheckedWaitMs;
    if (m_timeoutCheck) {
        const std::int64_t deadlineMs = (startSecond + m_recvTimeoutSeconds) * 1000;
        const std::int64_t left = deadlineMs - m_clock.monotonicMs();
        waitMs = static_cast<int>(std::clamp<std::int64_t>(left, 0, waitMs));
    }
    if (m_device->waitReadable(m_clock.realWaitMs(waitMs)) == WaitResult::HungUp) {
        throwFor(kReadFailure, kHungUp);
    }
    serviceWaitHook();
}

// At most every kWaitSliceMs, also while replies come in without a wait.
void SerialPortAPI::serviceWaitHook() {
    if (m_waitHook && m_clock.monotonicMs() - m_lastHookMs >= kWaitSliceMs) {
        m_lastHookMs = m_clock.monotonicMs();
        m_waitHook();
    }
}

int SerialPortAPI::recvString(std::string& text) {
    serviceWaitHook();
    text.clear();
    const std::int64_t startSecond = secondsNow();
    std::array<char, kReadChunk + 1> buffer{};
    for (;;) {
        const long got = m_device->readNow(buffer.data(), kReadChunk);
        if (got < 0) {
            throwWithSystemText(kReadFailure);
        }
        buffer[static_cast<std::size_t>(got)] = '\0';
        // A zero byte ends what this read contributes.
        text.append(buffer.data(), std::strlen(buffer.data()));

        const bool strayLineFeed = !text.empty() && text.front() == '\n';
        if (strayLineFeed) {
            text.erase(0, 1);
        }
        // A line this read completed is taken, also when a stray line feed
        // came first and the time is already up.
        if (!text.empty() && text.front() != '\n' && text.find('\n') != std::string::npos) {
            m_timeoutCheck = true;
            return static_cast<int>(text.size());
        }
        if (timedOut(startSecond) || text.size() > kMaxReplyBytes) {
            return kTimedOut;
        }
        // What is left after a stray line feed may already be a whole line:
        // look again at once instead of waiting for more.
        if (!strayLineFeed) {
            waitForBytes(startSecond);
        }
    }
}

bool SerialPortAPI::SetPortName(std::string name) {
    if (name.empty() || !isAcceptablePortName(name, platformPortNaming())) {
        return false;
    }
    m_portName = std::move(name);
    return true;
}

void SerialPortAPI::SetTimeoutCheck(bool check) {
    m_timeoutCheck = check;
}

int SerialPortAPI::catchFailure(const std::function<void()>& operation) {
    try {
        operation();
        m_lastErrorText.clear();
        m_lastUserText.clear();
        m_lastSystemError = {};
        return 1;
    } catch (const SerialPortException& e) {
        m_lastErrorText = e.what();
        m_lastUserText = e.UserText();
        return -1;
    }
}

int SerialPortAPI::TryOpen() {
    m_lastSystemError = {};
    return catchFailure([this] { Open(); });
}

int SerialPortAPI::TryClose() {
    return catchFailure([this] { Close(); });
}

int SerialPortAPI::SetRecvTimeout(int seconds) {
    SetTimeout(seconds);
    return 1;
}
