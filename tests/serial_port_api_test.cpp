#include "serial/serial_port_api.h"

#include <gtest/gtest.h>

#include "serial/port_name_rule.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_serial_device.h"

namespace {

class SerialPortApiTest : public ::testing::Test {
protected:
    SerialPortApiTest() {
        auto device = std::make_unique<ScriptedSerialDevice>(clock);
        dev = device.get();
        port = std::make_unique<SerialPortAPI>(std::move(device), clock);
        port->SetPortName(platformPortNaming() == PortNaming::Posix ? "/dev/ttyUSB0" : "COM4");
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

TEST_F(SerialPortApiTest, ReplyInThreePieces_CompletesWhenTheLineFeedArrives) {
    dev->arrive("OK", 0);
    dev->arrive("00\r", 5);
    dev->arrive("\n", 9);
    EXPECT_EQ(receive(10), 6);
    EXPECT_EQ(text, "OK00\r\n");
}

TEST_F(SerialPortApiTest, TwoRepliesInOneRead_AreKeptTogether) {
    dev->arrive("OK00\r\nOK01\r\n");
    EXPECT_EQ(receive(10), 12);
    EXPECT_EQ(text, "OK00\r\nOK01\r\n");
}

TEST_F(SerialPortApiTest, StrayLineFeed_IsDroppedAndTheReplyCompletesAtTheNextPoll) {
    dev->arrive("\nOK00\r\n");
    EXPECT_EQ(receive(10), 6);
    EXPECT_EQ(text, "OK00\r\n");
    EXPECT_EQ(dev->reads, 2);
}

TEST_F(SerialPortApiTest, LoneLineEnd_IsACompleteReply) {
    dev->arrive("\r\n");
    EXPECT_EQ(receive(10), 2);
}

TEST_F(SerialPortApiTest, ZeroByte_EndsWhatThatReadContributes) {
    dev->arrive(std::string("OK\0junk", 7));
    dev->arrive("00\r\n", 1);
    EXPECT_EQ(receive(10), 6);
    EXPECT_EQ(text, "OK00\r\n");
}

TEST_F(SerialPortApiTest, TimeoutOfZero_MakesExactlyOneRead) {
    const std::int64_t before = clock.monotonicMs();
    EXPECT_EQ(receive(0), -2);
    EXPECT_EQ(text, "");
    EXPECT_EQ(dev->reads, 1);
    EXPECT_EQ(clock.monotonicMs(), before);
}

TEST_F(SerialPortApiTest, TimeoutOfTen_EndsBetweenNineAndTenSecondsKeepingPartialText) {
    dev->arrive("OK0", 0);
    const std::int64_t before = clock.monotonicMs();
    EXPECT_EQ(receive(10), -2);
    EXPECT_EQ(text, "OK0");
    const std::int64_t waited = clock.monotonicMs() - before;
    EXPECT_GE(waited, 9000);
    EXPECT_LE(waited, 10000);
    EXPECT_LT(dev->reads, 30) << "waiting must not spin";
}

TEST_F(SerialPortApiTest, WithoutTheTimeoutCheck_ItWaitsPastTheTimeout) {
    port->SetTimeoutCheck(false);
    dev->arrive("OK00\r\n", 25'000);
    EXPECT_EQ(receive(1), 6);
}

TEST_F(SerialPortApiTest, BabblingDevice_EndsAsATimeoutOnceTheReplyOutgrowsItsLimit) {
    const std::string noise(SerialPortAPI::kMaxReplyBytes + 1024, 'x');
    dev->arrive(noise, 0);
    EXPECT_EQ(receive(60), -2);
    EXPECT_LE(text.size(), SerialPortAPI::kMaxReplyBytes + SerialPortAPI::kReadChunk);
}

TEST_F(SerialPortApiTest, DeviceGoneWhileWaiting_ThrowsInsteadOfWaitingOutTheTimeout) {
    dev->arrive("OK", 0);
    dev->hangUpAt(2000);
    try {
        receive(10);
        FAIL() << "expected SerialPortException";
    } catch (const SerialPortException& e) {
        EXPECT_EQ(
            std::string(e.what()).rfind("ReadFile() in SerialPortAPI::recvString(CString&): ", 0),
            0u);
    }
    EXPECT_LT(clock.monotonicMs(), 1'000'500 + 3000);
}

TEST_F(SerialPortApiTest, FailingWrite_ThrowsWithTheWritePrefixAndSystemText) {
    dev->failWrite = true;
    EXPECT_THROW(
        {
            try {
                port->SendTo("DRED\r\n");
            } catch (const SerialPortException& e) {
                EXPECT_STREQ(e.what(), "WriteFile() in SendTo(CString&): Input/output error");
                throw;
            }
        },
        SerialPortException);
}

TEST_F(SerialPortApiTest, OpenAndClose_TrackTheOpenFlagAndKeepTheReasonOfAFailure) {
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(port->TryOpen(), 1);
    EXPECT_TRUE(port->IsOpen());
    EXPECT_EQ(port->TryClose(), 1);
    EXPECT_FALSE(port->IsOpen());

    dev->failOpen = true;
    EXPECT_EQ(port->TryOpen(), -1);
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(port->LastErrorText(), "Failed to Open : " + port->PortName());
    EXPECT_EQ(port->LastSystemError().text, "Device or resource busy");
}

TEST_F(SerialPortApiTest, LineSettingsRefused_ClosesAgainAndNamesTheStep) {
    dev->failSetLine = true;
    EXPECT_EQ(port->TryOpen(), -1);
    EXPECT_FALSE(dev->isOpen);
    EXPECT_EQ(port->LastErrorText(), "CommState() in Open(): Invalid argument");
}

TEST_F(SerialPortApiTest, FailedClose_LeavesThePortMarkedOpen) {
    ASSERT_EQ(port->TryOpen(), 1);
    dev->failClose = true;
    EXPECT_EQ(port->TryClose(), -1);
    EXPECT_TRUE(port->IsOpen());
    EXPECT_EQ(port->LastErrorText(), "CloseHandle() in Close(): Bad file descriptor");
}

TEST(PortNameRule, WindowsNames_NeedCapitalComAndNothingElseIsExamined) {
    EXPECT_FALSE(isAcceptablePortName("", PortNaming::Windows));
    EXPECT_FALSE(isAcceptablePortName("com3", PortNaming::Windows));
    EXPECT_FALSE(isAcceptablePortName("CO", PortNaming::Windows));
    EXPECT_TRUE(isAcceptablePortName("COM3", PortNaming::Windows));
    EXPECT_TRUE(isAcceptablePortName("COM12", PortNaming::Windows));
    EXPECT_TRUE(isAcceptablePortName("COMX", PortNaming::Windows));
}

TEST(PortNameRule, PosixNames_MustBeDevicePaths) {
    EXPECT_FALSE(isAcceptablePortName("", PortNaming::Posix));
    EXPECT_FALSE(isAcceptablePortName("/dev/", PortNaming::Posix));
    EXPECT_FALSE(isAcceptablePortName("COM3", PortNaming::Posix));
    EXPECT_FALSE(isAcceptablePortName("ttyUSB0", PortNaming::Posix));
    EXPECT_TRUE(isAcceptablePortName("/dev/ttyUSB0", PortNaming::Posix));
    EXPECT_TRUE(isAcceptablePortName("/dev/pts/7", PortNaming::Posix));
}

TEST_F(SerialPortApiTest, RejectedName_LeavesThePortNameAlone) {
    const std::string before = port->PortName();
    EXPECT_FALSE(port->SetPortName(""));
    EXPECT_FALSE(port->SetPortName("com3"));
    EXPECT_EQ(port->PortName(), before);
}

}  // namespace
