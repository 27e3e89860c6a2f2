#include "serial/serial_port_api.h"

#include <gtest/gtest.h>

#include "serial/port_name_rule.h"
#include "tests/support/fake_clock.h"
#include "tests/support/platform_names.h"
#include "tests/support/scripted_serial_device.h"

namespace {

class SerialPortApiTest : public ::testing::Test {
protected:
    SerialPortApiTest() {
        auto device = std::make_unique<ScriptedSerialDevice>(clock);
        dev = device.get();
        port = std::make_unique<SerialPortAPI>(std::move(device), clock);
        port->SetPortName(PortName(4));
    }

    int receive(int timeoutSeconds) {
        port->SetRecvTimeout(timeoutSeconds);
        return port->recvString(text);
    }

    FakeClock clock;
    ScriptedSerialDevice* dev = nullptr;
    std::unique_ptr<SerialPortAPI> port;
    std::string text = "left over from before";
};

// How the pieces of a reply arrive, and what one receive makes of them.
TEST(SerialPortApiReplies, ArePiecedTogetherUpToTheReadWithTheLineFeed) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, int>> arrivals;  // bytes, at ms
        int result;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"three pieces", {{"OK", 0}, {"00\r", 5}, {"\n", 9}}, 6, "OK00\r\n"},
        {"two replies in one read", {{"OK00\r\nOK01\r\n", 0}}, 12, "OK00\r\nOK01\r\n"},
        {"stray line feed", {{"\nOK00\r\n", 0}}, 6, "OK00\r\n"},
        {"lone line end", {{"\r\n", 0}}, 2, "\r\n"},
        {"zero byte ends the read",
         {{std::string("OK\0junk", 7), 0}, {"00\r\n", 1}},
         6,
         "OK00\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        auto device = std::make_unique<ScriptedSerialDevice>(clock);
        for (const auto& [bytes, atMs] : c.arrivals) {
            device->arrive(bytes, atMs);
        }
        SerialPortAPI port(std::move(device), clock);
        port.SetRecvTimeout(10);
        std::string text = "left over";
        EXPECT_EQ(port.recvString(text), c.result);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(SerialPortApiTest, TimeoutOfZeroIsOneRead_TenEndsInItsLastSecondWithoutSpinning) {
    std::int64_t before = clock.monotonicMs();
    EXPECT_EQ(receive(0), -2);
    EXPECT_EQ(text, "");
    EXPECT_EQ(dev->reads, 1);
    EXPECT_EQ(clock.monotonicMs(), before);

    dev->arrive("OK0", 0);
    before = clock.monotonicMs();
    EXPECT_EQ(receive(10), -2);
    EXPECT_EQ(text, "OK0") << "the partial text is kept";
    const std::int64_t waited = clock.monotonicMs() - before;
    EXPECT_GE(waited, 9000);
    EXPECT_LE(waited, 10000);
    EXPECT_LT(dev->reads, 30) << "waiting must not spin";
}

// The logger's protocol counts whole seconds of the clock: a time-out of n
// ends at the n-th second boundary after the call began, so n - 1 to n
// seconds later, however far into its second the call began.
TEST(SerialPortApiTimeout, EndsAtTheNthWholeSecondAfterTheCall) {
    for (const std::int64_t intoSecond : {0, 500, 999}) {
        for (const int seconds : {1, 2}) {
            FakeClock clock(1'000'000 + intoSecond);
            SerialPortAPI port(std::make_unique<ScriptedSerialDevice>(clock), clock);
            port.SetRecvTimeout(seconds);
            std::string text;
            EXPECT_EQ(port.recvString(text), SerialPortAPI::kTimedOut);
            EXPECT_EQ(clock.monotonicMs(), 1'000'000 + seconds * 1000)
                << seconds << " s from " << intoSecond << " ms into a second";
        }
    }
}

TEST_F(SerialPortApiTest, BabblingDevice_EndsAsATimeoutOnceTheReplyOutgrowsItsLimit) {
    const std::string noise(SerialPortAPI::kMaxReplyBytes + 1024, 'x');
    dev->arrive(noise, 0);
    EXPECT_EQ(receive(60), -2);
    EXPECT_LE(text.size(), SerialPortAPI::kMaxReplyBytes + SerialPortAPI::kReadChunk);
}

TEST_F(SerialPortApiTest, RefusedLineSettingsCloseAgain_AFailedCloseLeavesThePortOpen) {
    dev->failSetLine = true;
    EXPECT_EQ(port->TryOpen(), -1);
    EXPECT_FALSE(dev->isOpen);
    dev->failSetLine = false;
    ASSERT_EQ(port->TryOpen(), 1);
    dev->failClose = true;
    EXPECT_EQ(port->TryClose(), -1);
    EXPECT_TRUE(port->IsOpen());
}

TEST_F(SerialPortApiTest, PortNamesFollowThePlatformsRule_ARejectedNameChangesNothing) {
    for (const char* name : {"COM3", "COM12"})
        EXPECT_TRUE(isAcceptablePortName(name, PortNaming::Windows)) << name;
    for (const char* name : {"", "com3", "CO"})
        EXPECT_FALSE(isAcceptablePortName(name, PortNaming::Windows)) << name;
    for (const char* name : {"/dev/ttyUSB0", "/dev/pts/7"})
        EXPECT_TRUE(isAcceptablePortName(name, PortNaming::Posix)) << name;
    for (const char* name : {"", "/dev/", "COM3", "ttyUSB0"})
        EXPECT_FALSE(isAcceptablePortName(name, PortNaming::Posix)) << name;

    const std::string before = port->PortName();
    EXPECT_FALSE(port->SetPortName("com3"));
    EXPECT_EQ(port->PortName(), before);
}

}  // namespace
