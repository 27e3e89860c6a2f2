// The ktr90-sim program, started as a process the way the demo starts it.
#include <gtest/gtest.h>

#include "tests/support/sim_client.h"
#include "tests/support/sim_process.h"

namespace {

TEST(SimExecutable, PrintsItsPort_ServesAnExchange_AndEndsCleanlyOnSigterm) {
    SimProcess sim({"--version", "3.01"});
    ASSERT_TRUE(sim.portPath().starts_with("/dev/")) << sim.portPath();
    {
        SimClient client(sim.portPath());
        client.send("SUPV\r\n");
        EXPECT_EQ(client.readBytes(11, 2000), "OK00,3.01\r\n");
    }
    EXPECT_EQ(sim.stop(), 0) << "ends by itself within 5 s of SIGTERM, with status 0";
}

}  // namespace
