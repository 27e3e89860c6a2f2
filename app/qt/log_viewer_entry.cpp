#include "app/qt/log_viewer_entry.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "viewer/viewer_window.h"

ViewerWindow* openLogViewer(QWidget* owner, const QStringList& files) {
    auto* viewer = new ViewerWindow(owner);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
    if (!files.isEmpty()) {
        viewer->openFiles(files);
    }
    return viewer;
}

QStringList droppedCsvFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile() ||
            QFileInfo(url.toLocalFile())
                    .suffix()
                    .compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
            return {};
        }
        files << url.toLocalFile();
    }
    return files;
}
