// The suite's own guards: code under test that loses its way fails its test
// quickly instead of hanging the whole run.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "serial/serial_port_api.h"
#include "tests/support/fake_clock.h"
#include "tests/support/platform_names.h"
#include "tests/support/recording_events.h"
#include "tests/support/scripted_serial_device.h"

namespace {

TEST(SuiteGuards, ReceiveThatNeverEndsFailsTheTest) {
    FakeClock clock;
    SerialPortAPI port(std::make_unique<ScriptedSerialDevice>(clock), clock);
    port.SetPortName(PortName(0));
    ASSERT_EQ(port.TryOpen(), 1);
    port.SetTimeoutCheck(false);  // a receive without a time-out waits for ever
    std::string reply;
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(port.recvString(reply), SerialPortException),
                            "a receive that never ends");
}

TEST(SuiteGuards, WaitLoopThatIgnoresTheStopRequestIsBrokenOff) {
    RecordingEvents events;
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(
                                for (;;) { events.StopRequested(); }, std::runtime_error),
                            "kept waiting");
}

}  // namespace
