#include "app/file_dialog.h"

#include "app/control_ids.h"
#include "app/texts.h"

int CFileDialog::DoModal(DialogPlatform& platform) {
    const std::optional<std::string> chosen = platform.RunFileDialog(m_request);
    if (!chosen) {
        return IDCANCEL;
    }
    m_path = *chosen;
    return IDOK;
}

std::unique_ptr<CFileDialog> CsvSaveDialog(const std::string& initialName) {
    return std::make_unique<CFileDialog>(false, "csv", initialName, translated(txt::kCsvFilter));
}
