#pragma once

#include <QFont>

#include "app/main_dialog_template.h"

// The Qt window's font for dialog template 102. The texts it must show whole
// and the smallest size it may take are the template's
// (app/main_dialog_template.h).

// The template's font where it is installed, else the system's UI font at
// the template's size.
QFont mainDialogFont();
