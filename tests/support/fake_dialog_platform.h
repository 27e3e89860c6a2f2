#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/combo_model.h"
#include "app/dialog_platform.h"

// The window system as the tests see it: records every call, keeps the state
// of every control, and answers file dialogs from a script.
class FakeDialogPlatform final : public DialogPlatform {
public:
    struct Message {
        std::string text;
        MessageIcon icon;
        std::string detail;
    };

    void ShowControl(int id, bool visible) override { visibleById[id] = visible; }
    void SetControlText(int id, const std::string& text) override {
        textById[id] = text;
        textHistory[id].push_back(text);
    }
    std::string ControlText(int id) override { return textById[id]; }

    int ComboCount() override { return static_cast<int>(combo.items.size()); }
    std::string ComboSelectedText() override { return combo.SelectedText(); }
    void ComboReset() override { combo.Reset(); }
    void ComboAddString(const std::string& text) override { combo.Add(text); }
    void ComboSelectIndex(int index) override { combo.selection = index; }
    std::vector<std::string> ComboItems() override { return combo.items; }
    void ComboEnable(bool) override {}
    bool ComboListOpen() override { return comboListOpen; }

    void ProgressSetRange(int, int) override {}
    void ProgressSetPos(int position) override {
        progressPos = position;
        progressHistory.push_back(position);
    }

    void UpdateWindow() override { ++repaints; }
    void PumpMessages() override {
        ++pumps;
        if (onPump) {
            onPump(pumps);
        }
    }
    void StartTimer(int id, int intervalMs) override { timers[id] = intervalMs; }
    void KillTimer(int id) override { timers.erase(id); }

    void MessageBox(const std::string& text, MessageIcon icon, const std::string& detail) override {
        messages.push_back({text, icon, detail});
    }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return yesAnswer;
    }
    // Answers from fileAnswers in order; none left means "cancelled".
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    void BeginWaitCursor() override { ++waitCursorDepth; }
    void EndWaitCursor() override { --waitCursorDepth; }
    void EndDialog(int) override {}

    bool visible(int id) const { return visibleById.contains(id) && visibleById.at(id); }
    std::string text(int id) const { return textById.contains(id) ? textById.at(id) : ""; }

    std::map<int, bool> visibleById;
    std::map<int, std::string> textById;
    std::map<int, std::vector<std::string>> textHistory;
    ComboModel combo;
    bool comboListOpen = false;
    int progressPos = 0;
    std::vector<int> progressHistory;
    int repaints = 0;
    int pumps = 0;
    std::vector<std::string> questions;  // asked through AskYesNo
    bool yesAnswer = true;
    std::map<int, int> timers;
    std::vector<Message> messages;
    std::deque<std::optional<std::string>> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    int waitCursorDepth = 0;
    // Runs inside each pump, as a queued window event would.
    std::function<void(int pumpNumber)> onPump;
};
