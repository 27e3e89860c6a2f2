#include "sim/fault_plan.h"

#include <algorithm>
#include <utility>

#include "sim/command.h"

namespace ktr90 {

FaultPlan::FaultPlan(std::vector<Fault> faults)
    : m_faults(std::move(faults)), m_matches(m_faults.size(), 0) {}

std::vector<Fault> FaultPlan::activeFor(int exchange, std::string_view line) {
    std::vector<Fault> active;
    for (std::size_t i = 0; i < m_faults.size(); ++i) {
        const Fault& fault = m_faults[i];
        if (!targets(fault.target, exchange, line)) {
            continue;
        }
        const int match = ++m_matches[i];
        const bool started = match > fault.after;
        const bool withinTimes = fault.times == 0 || match - fault.after <= fault.times;
        if (started && withinTimes) {
            active.push_back(fault);
        }
    }
    return active;
}

bool FaultPlan::targets(const FaultTarget& target, int exchange, std::string_view line) {
    switch (target.by) {
        case FaultTarget::By::EveryReply:
            return true;
        case FaultTarget::By::Exchange:
            return target.exchange == exchange;
        case FaultTarget::By::Command:
            return target.command == line || target.command == commandName(line);
        case FaultTarget::By::Handshake:
            return isHandshakeCommand(commandName(line));
    }
    return false;
}

namespace {

bool anyOf(const std::vector<Fault>& active, std::initializer_list<FaultKind> kinds) {
    return std::any_of(active.begin(), active.end(), [&](const Fault& fault) {
        return std::find(kinds.begin(), kinds.end(), fault.kind) != kinds.end();
    });
}

}  // namespace

bool hangsUp(const std::vector<Fault>& active) {
    return anyOf(active, {FaultKind::HangUpAt});
}

bool refusesCommand(const std::vector<Fault>& active) {
    return anyOf(active,
                 {FaultKind::StatusCode, FaultKind::RefuseHandshake, FaultKind::IgnoreHandshake});
}

}  // namespace ktr90
