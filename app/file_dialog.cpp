#include "app/file_dialog.h"

#include "app/control_ids.h"

int CFileDialog::DoModal(DialogPlatform& platform) {
    const std::optional<std::string> chosen = platform.RunFileDialog(m_request);
    if (!chosen) {
        return IDCANCEL;
    }
    m_path = *chosen;
    return IDOK;
}
