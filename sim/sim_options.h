#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/fault.h"
#include "sim/scenario.h"
#include "sim/serving_loop.h"

namespace ktr90 {

// What the ktr90-sim command line asks for.
struct SimOptions {
    std::string scenarioPath;  // empty: the generated session
    std::uint64_t seed = 1;
    std::optional<std::string> versionText;
    std::vector<Fault> faults;
    LoggerOptions logger;
    bool help = false;
};

// Throws std::invalid_argument with a message fit for the user.
SimOptions parseSimOptions(const std::vector<std::string>& arguments);

// The scenario file or generated session, with the command line's faults and
// version on top.
Scenario scenarioFor(const SimOptions& options);

extern const char* const kSimUsage;

}  // namespace ktr90
