// The serial port on a real pseudo-terminal, the far side played by the test.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "serial/serial_port_api.h"
#include "sim/pseudo_terminal.h"

namespace {

class PosixPortTest : public ::testing::Test {
protected:
    PosixPortTest() {
        port.SetPortName(pty.slavePath());
        port.SetTimeoutCheck(true);
    }
    ~PosixPortTest() override {
        if (port.IsOpen()) {
            port.TryClose();
        }
    }

    ktr90::PseudoTerminal pty;  // the test plays the device on the master side
    SerialPortAPI port;
    std::string text;
};

TEST_F(PosixPortTest, OpenClose_AndASecondOpenOfTheSamePortFails) {
    ASSERT_EQ(port.TryOpen(), 1) << port.LastErrorText();
    SerialPortAPI second;
    second.SetPortName(pty.slavePath());
    EXPECT_EQ(second.TryOpen(), -1);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.LastErrorText(), "Failed to Open : " + pty.slavePath());
    EXPECT_FALSE(second.LastSystemError().text.empty());

    EXPECT_EQ(port.TryClose(), 1);
    EXPECT_EQ(second.TryOpen(), 1) << "the port is free again once closed";
    second.TryClose();
}

TEST_F(PosixPortTest, FarSideClosingMidReply_ThrowsInsteadOfTimingOut) {
    ASSERT_EQ(port.TryOpen(), 1) << port.LastErrorText();
    std::thread device([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(::write(pty.master(), "OK0", 3), 3);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        pty.closeMaster();
    });
    port.SetRecvTimeout(10);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(port.recvString(text), SerialPortException);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    device.join();
    EXPECT_THROW(port.SendTo("DEND\r\n"), SerialPortException);
}

}  // namespace
