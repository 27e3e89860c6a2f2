#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "text/translation.h"

#include "viewer/png_image.h"
#include "viewer/qt_canvas.h"

namespace {

void quietUnlessSerious(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "datadock: %s\n", message.toLocal8Bit().constData());
    }
}

// Texts need the fonts of an application; the command line has none of its
// own. It never asks for a display: it runs in scripts and on servers, where
// Qt's remarks about the desktop (no runtime folder, ...) are only noise.
void ensureApplication() {
    if (QCoreApplication::instance()) {
        return;
    }
    static int argc = 1;
    static char name[] = "datadock";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietUnlessSerious);
    // Kept to the end of the program, which may draw more than once.
    static QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace

std::optional<std::string> paintPng(const Painting& paint, int width, int height,
                                    std::string& problem) {
    ensureApplication();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        problem = translated("There is not enough memory for a picture this large.");
        return std::nullopt;
    }
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QtCanvas canvas(painter);
        paint(canvas, Rect{0, 0, static_cast<double>(width), static_cast<double>(height)});
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        problem = translated("The picture could not be made into a PNG image.");
        return std::nullopt;
    }
    return bytes.toStdString();
}
