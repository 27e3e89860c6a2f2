#include "sim/fault.h"

#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

#include "sim/escape.h"

namespace ktr90 {
namespace {

constexpr std::array kKindNames{
    std::pair{FaultKind::AnswerLate, "AnswerLate"},
    std::pair{FaultKind::NeverAnswer, "NeverAnswer"},
    std::pair{FaultKind::SplitReply, "SplitReply"},
    std::pair{FaultKind::StrayLineFeed, "StrayLineFeed"},
    std::pair{FaultKind::ExtraBytes, "ExtraBytes"},
    std::pair{FaultKind::NoLineEnd, "NoLineEnd"},
    std::pair{FaultKind::StatusCode, "StatusCode"},
    std::pair{FaultKind::RefuseHandshake, "RefuseHandshake"},
    std::pair{FaultKind::IgnoreHandshake, "IgnoreHandshake"},
    std::pair{FaultKind::HangUpAt, "HangUpAt"},
    std::pair{FaultKind::Babble, "Babble"},
};

[[noreturn]] void reject(std::string_view text, const std::string& why) {
    throw std::invalid_argument("fault \"" + std::string(text) + "\": " + why);
}

FaultKind kindNamed(std::string_view name, std::string_view text) {
    for (const auto& [kind, kindName] : kKindNames) {
        if (name == kindName) {
            return kind;
        }
    }
    reject(text, "unknown kind \"" + std::string(name) + "\"");
}

int numberIn(std::string_view digits, std::string_view text, int maximum = kMaxFaultCount) {
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error == std::errc::invalid_argument ||
        end != digits.data() + digits.size() || value < 0) {
        reject(text, "\"" + std::string(digits) + "\" is not a number");
    }
    if (error == std::errc::result_out_of_range || value > maximum) {
        reject(text, std::string(digits) + " is more than " + std::to_string(maximum));
    }
    return value;
}

FaultTarget targetIn(std::string_view target, std::string_view text) {
    FaultTarget result;
    if (target.find_first_not_of("0123456789") == std::string_view::npos) {
        result.by = FaultTarget::By::Exchange;
        result.exchange = numberIn(target, text);
        if (result.exchange < 1) {
            reject(text, "exchanges count from 1");
        }
    } else {
        result.by = FaultTarget::By::Command;
        result.command = std::string(target);
    }
    return result;
}

// Which option keys a kind takes; "after" applies to every kind.
bool takesOption(FaultKind kind, std::string_view key) {
    return key == "after" || (key == "delay" && kind == FaultKind::AnswerLate) ||
           ((key == "gap" || key == "pieces") && kind == FaultKind::SplitReply) ||
           (key == "bytes" && kind == FaultKind::ExtraBytes) ||
           (key == "status" && kind == FaultKind::StatusCode) ||
           (key == "count" && kind == FaultKind::Babble);
}

struct NumberField {
    const char* name;
    int Fault::*field;
    int maximum;
};

NumberField numberField(std::string_view key) {
    constexpr std::array kFields{
        NumberField{"after", &Fault::after, kMaxFaultCount},
        NumberField{"delay", &Fault::delayMs, kMaxFaultDelayMs},
        NumberField{"gap", &Fault::gapMs, kMaxFaultDelayMs},
        NumberField{"pieces", &Fault::pieces, kMaxFaultPieces},
        NumberField{"count", &Fault::count, kMaxBabbleBytes},
    };
    for (const NumberField& field : kFields) {
        if (key == field.name) {
            return field;
        }
    }
    throw std::logic_error("no numeric fault option " + std::string(key));
}

void applyOption(Fault& fault, std::string_view option, std::string_view text) {
    const auto equals = option.find('=');
    if (equals == std::string_view::npos) {
        reject(text, "option \"" + std::string(option) + "\" needs key=value");
    }
    const std::string_view key = option.substr(0, equals);
    const std::string_view value = option.substr(equals + 1);
    if (!takesOption(fault.kind, key)) {
        reject(text, "no option \"" + std::string(key) + "\" for " + faultKindName(fault.kind));
    }
    if (key == "bytes") {
        fault.bytes = unescapeBytes(value);
    } else if (key == "status") {
        fault.status = unescapeBytes(value);
    } else {
        const NumberField field = numberField(key);
        fault.*field.field = numberIn(value, text, field.maximum);
    }
}

void applyOptions(Fault& fault, std::string_view options, std::string_view text) {
    while (!options.empty()) {
        const auto comma = options.find(',');
        applyOption(fault, options.substr(0, comma), text);
        options = comma == std::string_view::npos ? "" : options.substr(comma + 1);
    }
}

void checkComplete(const Fault& fault, std::string_view text) {
    if (fault.kind == FaultKind::HangUpAt && fault.target.by == FaultTarget::By::EveryReply) {
        reject(text, "HangUpAt needs @exchange or @COMMAND");
    }
    if (fault.kind == FaultKind::SplitReply && fault.pieces < 2) {
        reject(text, "a split reply needs pieces=2 or more");
    }
}

}  // namespace

Fault parseFault(std::string_view text) {
    const auto colon = text.find(':');
    const std::string_view head = text.substr(0, colon);
    const auto hash = head.find('#');
    const std::string_view kindAndTarget = head.substr(0, hash);
    const auto at = kindAndTarget.find('@');

    Fault fault;
    fault.kind = kindNamed(kindAndTarget.substr(0, at), text);
    if (fault.kind == FaultKind::RefuseHandshake || fault.kind == FaultKind::IgnoreHandshake) {
        fault.target.by = FaultTarget::By::Handshake;
    }
    if (at != std::string_view::npos) {
        fault.target = targetIn(kindAndTarget.substr(at + 1), text);
    }
    if (hash != std::string_view::npos) {
        fault.times = numberIn(head.substr(hash + 1), text);
    }
    if (colon != std::string_view::npos) {
        applyOptions(fault, text.substr(colon + 1), text);
    }
    checkComplete(fault, text);
    return fault;
}

const char* faultKindName(FaultKind kind) {
    for (const auto& [candidate, name] : kKindNames) {
        if (candidate == kind) {
            return name;
        }
    }
    return "?";
}

}  // namespace ktr90
