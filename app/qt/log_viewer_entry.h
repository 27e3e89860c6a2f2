#pragma once

#include <QStringList>

class QMimeData;
class QWidget;
class ViewerWindow;

// The log viewer reached from the main window: a window of its own, closed
// with the main window, that deletes itself when closed.
ViewerWindow* openLogViewer(QWidget* owner, const QStringList& files);

// The dropped files when all of them are local CSV files, otherwise none.
QStringList droppedCsvFiles(const QMimeData* data);
