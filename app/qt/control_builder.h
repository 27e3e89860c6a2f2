#pragma once

#include <QWidget>

#include "app/main_dialog_template.h"
#include "app/qt/dialog_units.h"

// Creates a dialog template's controls as children of a window, placed and
// sized in the window's font.
class ControlBuilder {
public:
    ControlBuilder(QWidget& window, const DialogUnits& units);

    QWidget* build(const ControlTemplate& control) const;

private:
    QWidget* makeGroupBox(const ControlTemplate& control) const;
    QWidget* makeDropDownList(const ControlTemplate& control) const;
    QWidget* makeProgressBar(const ControlTemplate& control) const;
    QWidget* makePushButton(const ControlTemplate& control) const;
    QWidget* makeLabel(const ControlTemplate& control) const;

    QWidget& m_window;
    DialogUnits m_units;
};
