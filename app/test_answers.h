#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/dialog_platform.h"

// A message box as the window was asked to show it.
struct ShownMessageBox {
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    std::string detail;
    std::vector<std::string> viewable;  // the files the box offers to view
};

// A window's modal boxes answered without being shown, for tests (and the
// benchmarks), and the message boxes it was asked for, recorded. Both windows
// have it; with no answerer set, a window shows the real box and asks the user.
class TestAnswers {
public:
    using MessageBoxAnswerer = std::function<void(const ShownMessageBox&)>;
    using FileDialogAnswerer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
    using QuestionAnswerer = std::function<bool(const std::string&)>;

    // nullptr: the real box again.
    void answerMessageBoxesWith(MessageBoxAnswerer answerer) {
        m_messageBoxAnswerer = std::move(answerer);
    }
    void answerFileDialogsWith(FileDialogAnswerer answerer) {
        m_fileDialogAnswerer = std::move(answerer);
    }
    void answerQuestionsWith(QuestionAnswerer answerer) {
        m_questionAnswerer = std::move(answerer);
    }
    // Every message box asked for, answered or shown.
    const std::vector<ShownMessageBox>& shownMessageBoxes() const { return m_shownMessageBoxes; }

protected:
    TestAnswers() = default;
    ~TestAnswers() = default;
    TestAnswers(const TestAnswers&) = default;
    TestAnswers& operator=(const TestAnswers&) = default;

    // Records the box; true when it was answered, and the window shows nothing.
    bool answeredMessageBox(const ShownMessageBox& box) {
        m_shownMessageBoxes.push_back(box);
        if (!m_messageBoxAnswerer) {
            return false;
        }
        m_messageBoxAnswerer(box);
        return true;
    }
    // The answer to a question; nothing when the user must be asked.
    std::optional<bool> answeredQuestion(const std::string& text) const {
        return m_questionAnswerer ? std::optional<bool>(m_questionAnswerer(text)) : std::nullopt;
    }
    bool answersFileDialogs() const { return static_cast<bool>(m_fileDialogAnswerer); }
    // Only when answersFileDialogs(): the chosen path, or nothing for a cancel.
    std::optional<std::string> answeredFileDialog(const FileDialogRequest& request) const {
        return m_fileDialogAnswerer(request);
    }

private:
    MessageBoxAnswerer m_messageBoxAnswerer;
    FileDialogAnswerer m_fileDialogAnswerer;
    QuestionAnswerer m_questionAnswerer;
    std::vector<ShownMessageBox> m_shownMessageBoxes;
};
