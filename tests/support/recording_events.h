#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/transfer_events.h"

// Whoever shows a transfer, as the tests see it: records every event, and
// answers the stop question from a script.
struct RecordingEvents : TransferEvents {
    void ShowInfo(const std::string& text) override { infos.push_back(text); }
    void ShowProgress(int percent) override { percents.push_back(percent); }
    void HideProgress() override {}
    void LoggerSilent(bool) override {}
    void Busy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void UpdateUnderway(bool now) override { underway = now; }
    // A transfer that keeps asking this often has lost its way (a handshake
    // with a silent port repeats for ever): it is stopped, and one that does
    // not even stop then is broken off by an exception.
    bool StopRequested() override {
        ++stopChecks;
        if (stopChecks == kRunawayChecks) {
            ADD_FAILURE() << "the transfer kept waiting; stopped";
            stop = true;
        }
        if (stopChecks > 2 * kRunawayChecks) {
            throw std::runtime_error("a transfer that ignores the stop request");
        }
        if (!stop && stopWhen && stopWhen()) {
            stop = true;
        }
        return stop;
    }
    void Finished(const TransferResult& result) override { results.push_back(result); }

    static constexpr int kRunawayChecks = 100'000;

    std::vector<std::string> infos;
    std::vector<int> percents;
    int busyDepth = 0;
    bool underway = false;
    int stopChecks = 0;
    bool stop = false;
    // Asked at each look until it holds; then the transfer is asked to stop.
    std::function<bool()> stopWhen;
    std::vector<TransferResult> results;
};
