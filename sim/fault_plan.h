#pragma once

#include <string_view>
#include <vector>

#include "sim/fault.h"

namespace ktr90 {

// Decides which faults touch the reply to each command, counting matches so
// that "#times" and "after=" hold across the whole session.
class FaultPlan {
public:
    explicit FaultPlan(std::vector<Fault> faults);

    // The faults active for the exchange-th command (counting from 1) with
    // this line (line end removed). Call once per command, in order.
    std::vector<Fault> activeFor(int exchange, std::string_view line);

private:
    static bool targets(const FaultTarget& target, int exchange, std::string_view line);

    std::vector<Fault> m_faults;
    std::vector<int> m_matches;  // per fault: matching commands so far
};

// What the active faults make of one command.
bool hangsUp(const std::vector<Fault>& active);
// The logger answers, or keeps silent, without carrying the command out.
bool refusesCommand(const std::vector<Fault>& active);

}  // namespace ktr90
