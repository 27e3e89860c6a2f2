#include "app/qt/file_dialog_setup.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "app/qt/control_text.h"

namespace {

// "CSV(*.csv)" shows its patterns already; Qt puts them back in its own form.
QString filterName(const QString& description) {
    QString name = description.trimmed();
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (name.endsWith(QLatin1Char(')')) && open > 0) {
        name = name.left(open).trimmed();
    }
    return name;
}

}  // namespace

QString qtNameFilters(const std::string& filterList) {
    const QStringList parts = displayText(filterList).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(filterName(parts[i]), patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

void configureFileDialog(QFileDialog& dialog, const FileDialogRequest& request,
                         const QString& startDirectory) {
    if (request.openForReading) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    const QString filters = qtNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters.split(QStringLiteral(";;")));
    }
    dialog.setDefaultSuffix(displayText(request.defaultExtension));
    if (!startDirectory.isEmpty()) {
        dialog.setDirectory(startDirectory);
    }
    if (!request.initialName.empty()) {
        dialog.selectFile(displayText(request.initialName));
    }
}
