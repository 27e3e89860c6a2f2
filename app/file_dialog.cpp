#include "app/file_dialog.h"

#include <filesystem>

#include "app/control_ids.h"
#include "app/texts.h"
#include "device/file_access.h"

int CFileDialog::DoModal(DialogPlatform& platform) {
    const std::optional<std::string> chosen = platform.RunFileDialog(m_request);
    if (!chosen) {
        return IDCANCEL;
    }
    m_path = *chosen;
    return IDOK;
}

bool IsSamePath(const std::string& first, const std::string& second) {
    std::error_code ignored;
    const std::filesystem::path a = FilePath(first);
    const std::filesystem::path b = FilePath(second);
    return std::filesystem::weakly_canonical(a, ignored) ==
               std::filesystem::weakly_canonical(b, ignored) ||
           std::filesystem::equivalent(a, b, ignored);
}

std::unique_ptr<CFileDialog> CsvSaveDialog(const std::string& initialName) {
    return std::make_unique<CFileDialog>(false, "csv", initialName, txt::kCsvFilter);
}
