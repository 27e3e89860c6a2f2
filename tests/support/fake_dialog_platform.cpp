#include "tests/support/fake_dialog_platform.h"

void FakeDialogPlatform::SetControlText(int id, const std::string& text) {
    textById[id] = text;
    textHistory[id].push_back(text);
}

void FakeDialogPlatform::ProgressSetPos(int position) {
    progressPos = position;
    progressHistory.push_back(position);
}

void FakeDialogPlatform::PumpMessages() {
    ++pumps;
    if (onPump) {
        onPump(pumps);
    }
}

void FakeDialogPlatform::MessageBox(const std::string& text, MessageIcon icon,
                                    const std::string& detail) {
    messages.push_back({text, icon, detail});
}

std::optional<std::string> FakeDialogPlatform::RunFileDialog(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool FakeDialogPlatform::visible(int id) const {
    const auto it = visibleById.find(id);
    return it != visibleById.end() && it->second;
}

std::string FakeDialogPlatform::text(int id) const {
    const auto it = textById.find(id);
    return it == textById.end() ? std::string() : it->second;
}
