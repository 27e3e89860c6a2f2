#include "sim/reply_shaping.h"

#include <algorithm>

#include "sim/records.h"

namespace ktr90 {
namespace {

std::string babble(int count) {
    std::string noise;
    for (int i = 0; i < count; ++i) {
        noise += static_cast<char>('A' + i % 26);
    }
    return noise;
}

std::string withoutTrailingLineEnd(std::string text) {
    if (text.ends_with('\n')) {
        text.pop_back();
    }
    if (text.ends_with('\r')) {
        text.pop_back();
    }
    return text;
}

std::string reshaped(std::string text, const Fault& fault) {
    switch (fault.kind) {
        case FaultKind::StatusCode:
            return fault.status + kLineEnd;
        case FaultKind::RefuseHandshake:
            return kRefused;
        case FaultKind::Babble:
            return babble(fault.count);
        case FaultKind::NoLineEnd:
            return withoutTrailingLineEnd(std::move(text));
        case FaultKind::StrayLineFeed:
            return "\n" + text;
        case FaultKind::ExtraBytes:
            return text + fault.bytes;
        default:
            return text;
    }
}

// Replacements go first so that the cuts and additions apply to what is sent.
constexpr FaultKind kContentOrder[] = {
    FaultKind::StatusCode, FaultKind::RefuseHandshake, FaultKind::Babble,
    FaultKind::NoLineEnd,  FaultKind::StrayLineFeed,   FaultKind::ExtraBytes,
};

std::string replyText(std::string text, const std::vector<Fault>& active) {
    for (const FaultKind kind : kContentOrder) {
        for (const Fault& fault : active) {
            if (fault.kind == kind) {
                text = reshaped(std::move(text), fault);
            }
        }
    }
    return text;
}

bool silenced(const std::vector<Fault>& active) {
    return std::any_of(active.begin(), active.end(), [](const Fault& fault) {
        return fault.kind == FaultKind::NeverAnswer || fault.kind == FaultKind::IgnoreHandshake;
    });
}

// Delays add up, but never beyond the longest one a fault may ask for.
int lateness(const std::vector<Fault>& active) {
    int delayMs = 0;
    for (const Fault& fault : active) {
        if (fault.kind == FaultKind::AnswerLate) {
            delayMs =
                std::min(kMaxFaultDelayMs, delayMs + std::min(fault.delayMs, kMaxFaultDelayMs));
        }
    }
    return delayMs;
}

const Fault* splitter(const std::vector<Fault>& active) {
    const auto found = std::find_if(active.begin(), active.end(), [](const Fault& fault) {
        return fault.kind == FaultKind::SplitReply;
    });
    return found == active.end() ? nullptr : &*found;
}

std::vector<TimedWrite> pieces(const std::string& text, const Fault& split) {
    const std::size_t count = std::clamp<std::size_t>(static_cast<std::size_t>(split.pieces), 1,
                                                      std::max<std::size_t>(text.size(), 1));
    std::vector<TimedWrite> writes;
    std::size_t begin = 0;
    for (std::size_t piece = 0; piece < count; ++piece) {
        const std::size_t end = text.size() * (piece + 1) / count;
        writes.push_back({piece == 0 ? 0 : split.gapMs, text.substr(begin, end - begin)});
        begin = end;
    }
    return writes;
}

}  // namespace

std::vector<TimedWrite> shapeReply(const std::string& reply, const std::vector<Fault>& active) {
    const std::string text = replyText(reply, active);
    if (silenced(active) || text.empty()) {
        return {};
    }
    const Fault* split = splitter(active);
    std::vector<TimedWrite> writes =
        split ? pieces(text, *split) : std::vector{TimedWrite{0, text}};
    writes.front().delayMs += lateness(active);
    return writes;
}

}  // namespace ktr90
