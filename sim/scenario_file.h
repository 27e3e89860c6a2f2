#pragma once

#include <string>
#include <string_view>

#include "sim/scenario.h"

namespace ktr90 {

// Reads the line-based scenario format described in sim/README.md.
// Throws std::invalid_argument naming the line at fault.
Scenario parseScenarioText(std::string_view text);

// The same from a file; also throws std::runtime_error when it cannot be read.
Scenario loadScenarioFile(const std::string& path);

}  // namespace ktr90
