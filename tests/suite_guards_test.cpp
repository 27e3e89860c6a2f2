// The suite's own guards: code under test that loses its way fails its test
// quickly instead of hanging the whole run.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/dlg_harness.h"
#include "tests/support/platform_names.h"

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

TEST(SuiteGuards, PumpLoopThatIgnoresTheCancelRequestIsBrokenOff) {
    DlgHarness h;
    EXPECT_NONFATAL_FAILURE(EXPECT_THROW(
                                for (;;) { h.dlg.PumpMessages(); }, std::runtime_error),
                            "kept pumping");
}

}  // namespace
