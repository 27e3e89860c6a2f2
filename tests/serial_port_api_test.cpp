#include "serial/serial_port_api.h"

#include <gtest/gtest.h>

#include "serial/port_name_rule.h"
#include "tests/support/fake_clock.h"
#include "tests/support/platform_names.h"
#include "tests/support/scripted_serial_device.h"

namespace {

// A port on a scripted device, its clock started `intoSecond` ms past a whole second.
struct ScriptedPortApi {
    explicit ScriptedPortApi(std::int64_t intoSecond = 500) : clock(1'000'000 + intoSecond) {
        port.SetPortName(PortName(4));
    }
    int receive(int timeoutSeconds) {
        port.SetRecvTimeout(timeoutSeconds);
        return port.recvString(text);
    }

    FakeClock clock;
    ScriptedSerialDevice* dev = new ScriptedSerialDevice(clock);  // owned by the port
    SerialPortAPI port{std::unique_ptr<SerialDevice>(dev), clock};
    std::string text = "left over from before";
};

// How the pieces of a reply arrive, and what one receive of 10 s makes of them,
// without spinning while it waits; a reply the time-out cuts off is kept.
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
        {"cut off by the time-out", {{"OK0", 0}}, SerialPortAPI::kTimedOut, "OK0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPortApi p;
        for (const auto& [bytes, atMs] : c.arrivals) {
            p.dev->arrive(bytes, atMs);
        }
        EXPECT_EQ(p.receive(10), c.result);
        EXPECT_EQ(p.text, c.text);
        EXPECT_LT(p.dev->reads, 30) << "waiting must not spin";
    }
}

// The logger's protocol counts whole seconds of the clock: a time-out of n
// ends at the n-th second boundary after the call began, so n - 1 to n
// seconds later, however far into its second the call began. One of 0 is a
// single read.
TEST(SerialPortApiTimeout, EndsAtTheNthWholeSecondAfterTheCall) {
    for (const std::int64_t intoSecond : {0, 500, 999}) {
        for (const int seconds : {0, 1, 2, 10}) {
            ScriptedPortApi p(intoSecond);
            EXPECT_EQ(p.receive(seconds), SerialPortAPI::kTimedOut);
            EXPECT_EQ(p.text, "");
            EXPECT_EQ(p.clock.monotonicMs(),
                      1'000'000 + (seconds == 0 ? intoSecond : seconds * 1000))
                << seconds << " s from " << intoSecond << " ms into a second";
            if (seconds == 0) {
                EXPECT_EQ(p.dev->reads, 1);
            }
        }
    }
}

TEST(SerialPortApiReplies, BabblingDevice_EndsAsATimeoutOnceTheReplyOutgrowsItsLimit) {
    ScriptedPortApi p;
    p.dev->arrive(std::string(SerialPortAPI::kMaxReplyBytes + 1024, 'x'), 0);
    EXPECT_EQ(p.receive(60), SerialPortAPI::kTimedOut);
    EXPECT_LE(p.text.size(), SerialPortAPI::kMaxReplyBytes + SerialPortAPI::kReadChunk);
}

TEST(SerialPortApiOpen, RefusedLineSettingsCloseAgain_AFailedCloseLeavesThePortOpen) {
    ScriptedPortApi p;
    p.dev->failSetLine = true;
    EXPECT_EQ(p.port.TryOpen(), -1);
    EXPECT_FALSE(p.dev->isOpen);
    p.dev->failSetLine = false;
    ASSERT_EQ(p.port.TryOpen(), 1);
    p.dev->failClose = true;
    EXPECT_EQ(p.port.TryClose(), -1);
    EXPECT_TRUE(p.port.IsOpen());
}

TEST(SerialPortApiOpen, PortNamesFollowThePlatformsRule_ARejectedNameChangesNothing) {
    for (const char* name : {"COM3", "COM12"})
        EXPECT_TRUE(isAcceptablePortName(name, PortNaming::Windows)) << name;
    for (const char* name : {"", "com3", "CO"})
        EXPECT_FALSE(isAcceptablePortName(name, PortNaming::Windows)) << name;
    for (const char* name : {"/dev/ttyUSB0", "/dev/pts/7"})
        EXPECT_TRUE(isAcceptablePortName(name, PortNaming::Posix)) << name;
    for (const char* name : {"", "/dev/", "COM3", "ttyUSB0"})
        EXPECT_FALSE(isAcceptablePortName(name, PortNaming::Posix)) << name;

    ScriptedPortApi p;
    EXPECT_FALSE(p.port.SetPortName("com3"));
    EXPECT_EQ(p.port.PortName(), PortName(4));
}

}  // namespace
