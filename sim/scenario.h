#pragma once

#include <string>
#include <vector>

#include "sim/fault.h"

namespace ktr90 {

// What the simulated logger holds and how it misbehaves. Each reply is the
// exact text sent for one DRED, line end included, so a test can put any
// bytes on the wire; record() and modelRecords() make well-formed ones.
struct Scenario {
    std::vector<std::string> lapReplies;     // selected by "DSTA,1"
    std::vector<std::string> sampleReplies;  // selected by "DCHG"
    std::vector<std::string> modelReplies;   // selected by "DSTA,0"
    std::string versionText = "1.04";        // answered to "SUPV"
    std::vector<Fault> faults;
};

}  // namespace ktr90
