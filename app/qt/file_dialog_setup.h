#pragma once

#include <QString>
#include <string>

#include "app/dialog_platform.h"

class QFileDialog;

// The system's "Name(*.ext)|*.ext||" filter list as Qt's name filters,
// "Name (*.ext)" joined with ";;". Empty when the list names no filter.
QString qtNameFilters(const std::string& filterList);

// Readies a file dialog for a request: save dialogs confirm overwriting,
// open dialogs accept only an existing file. startDirectory may be empty.
void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                         const QString& startDirectory);
