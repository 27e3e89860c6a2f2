#include "app/qt/control_text.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>

#include "text/cp932.h"

namespace {

constexpr QChar kZeroWidthSpace(0x200B);

QString withBreaksAfterPathSeparators(QString text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == QLatin1Char('/') || text[i] == QLatin1Char('\\')) {
            text.insert(i + 1, kZeroWidthSpace);
        }
    }
    return text;
}

QString fitToWidth(const QString& text, const QFontMetrics& metrics, int width) {
    return metrics.elidedText(text, Qt::ElideLeft, width);
}

}  // namespace

QString displayText(const std::string& systemText) {
    QString text = QString::fromStdString(mixedTextToUtf8(systemText));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void setWidgetText(QWidget& widget, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        const QString shown = label->wordWrap() ? withBreaksAfterPathSeparators(text)
                                                : fitToWidth(text, label->fontMetrics(),
                                                             label->contentsRect().width());
        label->setText(shown);
        label->setToolTip(label->wordWrap() || shown != text ? text : QString());
    } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        group->setTitle(text);
    }
}
