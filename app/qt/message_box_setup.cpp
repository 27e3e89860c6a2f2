#include "app/qt/message_box_setup.h"

#include <QApplication>
#include <QLabel>

#include "app/qt/control_text.h"

QMessageBox::Icon qtMessageIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

void configureMessageBox(QMessageBox& box, const std::string& text, MessageIcon icon,
                         const std::string& detail) {
    box.setWindowTitle(QApplication::applicationName());
    box.setIcon(qtMessageIcon(icon));
    box.setText(displayText(text));
    box.setInformativeText(displayText(detail));
    // Texts and details name paths and devices; nothing in them is markup.
    // QMessageBox applies its text format to the message only.
    box.setTextFormat(Qt::PlainText);
    if (auto* informative = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        informative->setTextFormat(Qt::PlainText);
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
}
