#pragma once

#include <memory>
#include <string>

#include "app/dialog_platform.h"

// A file dialog object as the main window holds it during a transfer: created
// with its settings, run modally, and asked for the chosen path afterwards.
class CFileDialog {
public:
    CFileDialog(bool openForReading, std::string defaultExtension, std::string initialName,
                std::string filter)
        : m_request{openForReading, std::move(defaultExtension), std::move(initialName),
                    std::move(filter)} {}

    // IDOK when a file was chosen, IDCANCEL otherwise.
    int DoModal(DialogPlatform& platform);
    const std::string& GetPathName() const { return m_path; }

private:
    FileDialogRequest m_request;
    std::string m_path;
};

// A save dialog for a CSV file, proposing initialName.
std::unique_ptr<CFileDialog> CsvSaveDialog(const std::string& initialName);
