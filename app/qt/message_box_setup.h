#pragma once

#include <QMessageBox>
#include <string>

#include "app/dialog_platform.h"

QMessageBox::Icon qtMessageIcon(MessageIcon icon);

// Readies a box with an OK button only: the message as its text and the
// detail, when there is one, as the informative text below it.
void configureMessageBox(QMessageBox& box, const std::string& text, MessageIcon icon,
                         const std::string& detail);
