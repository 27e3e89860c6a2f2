#pragma once

#include <QComboBox>

// The name a port goes by without its device folder: /dev/ttyUSB0 is
// ttyUSB0, /dev/pts/5 is pts/5, \\.\COM10 is COM10; other paths keep their
// last part.
QString shortPortName(const QString& path);

// The port list. Its closed box is narrow, so it shows the chosen port's
// short name (the end of it, should even that not fit) with the whole path as
// its tool tip; the dropped list shows whole paths and is as wide as the
// longest of them.
class PortComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit PortComboBox(QWidget* parent = nullptr);

    // Call after items were added or removed.
    void fitListToItems();
    // What the closed box shows of the chosen port.
    QString shownText() const;
    // Whether the closed box has room for text in its current font.
    bool hasRoomFor(const QString& text) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textField() const;
};
