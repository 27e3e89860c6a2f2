#pragma once

#include <QComboBox>

// The port list. Its closed box is narrow and port names are long on Linux
// (/dev/ttyUSB12), so it shows the end of the chosen name, which is what
// tells ports apart; the dropped list is as wide as its longest name.
class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PortComboBox(QWidget* parent = nullptr);

    // Call after items were added or removed.
    void fitListToItems();

protected:
    void paintEvent(QPaintEvent* event) override;
};
