#pragma once

class QAbstractButton;

#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/datadock_dlg.h"
#include "app/qt/qt_main_window.h"
#include "serial/clock.h"
#include "serial/serial_port_api.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_serial_device.h"

// The real window and the real logic, initialised and shown offscreen, with
// message boxes recorded instead of shown.
class WindowHarness {
public:
    explicit WindowHarness(
        std::vector<std::string> presentPorts = {}, bool showModelSave = false,
        CDatadockDlg::SerialFactory openPort = [] { return std::make_unique<SerialPortAPI>(); },
        Clock& clock = systemClock());
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    bool visible(int id) const;
    QString shownText(int id) const;
    QAbstractButton* button(int id) const;

    std::vector<std::string> ports;  // what the next scan finds
    QtMainWindow window;
    CDatadockDlg logic;
};

// The logic's clock, through which a test acts while a transfer sleeps
// between handshake attempts, that is while it does not pump.
class ClockWithPause final : public Clock {
public:
    explicit ClockWithPause(FakeClock& clock) : m_clock(clock) {}
    std::int64_t monotonicMs() override { return m_clock.monotonicMs(); }
    void sleepMs(int milliseconds) override;
    std::function<void()> duringNextSleep;

private:
    FakeClock& m_clock;
};

// The time and the port a scripted window's logic uses, set up before it.
struct ScriptedPort {
    FakeClock clock;
    ClockWithPause logicClock{clock};
    ScriptedSerialDevice* device = nullptr;  // answers nothing unless told to
    int fileDialogs = 0;
};

// Runs `look` at every pump of the event loop while a handler runs (a modal
// box's loop too).
struct EveryPump {
    explicit EveryPump(std::function<void()> look) {
        QObject::connect(&timer, &QTimer::timeout, std::move(look));
        timer.start(0);
    }
    QTimer timer;
};

// The real window and logic on one scripted port; each file dialog chooses a
// new file.
struct ScriptedWindow : ScriptedPort, WindowHarness {
    explicit ScriptedWindow(bool showModelSave = false);
};
