#include "viewer/plot_export.h"

#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <functional>

#include "viewer/comparison_painter.h"
#include "viewer/lap_table_model.h"
#include "viewer/plot_painter.h"
#include "viewer/qt_canvas.h"

namespace {

using Painting = std::function<void(Canvas&, const Rect&)>;

bool paintPng(QSaveFile& file, const Painting& paint, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QtCanvas canvas(painter);
        paint(canvas,
              Rect{0, 0, static_cast<double>(size.width()), static_cast<double>(size.height())});
    }
    return image.save(&file, "PNG");
}

bool paintSvg(QSaveFile& file, const Painting& paint, QSize size, const QString& title) {
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    // The file gives its size in millimetres; at 90 dots an inch they are
    // the image's pixels again when read back.
    generator.setResolution(90);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // The generator writes the title as it is given: the file's text, escaped
    // here, stays text in the SVG.
    generator.setTitle(title.toHtmlEscaped());
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    {
        QtCanvas canvas(painter);
        paint(canvas,
              Rect{0, 0, static_cast<double>(size.width()), static_cast<double>(size.height())});
    }
    return painter.end();
}

QString exportPicture(const Painting& paint, const QString& svgTitle, QSize size,
                      const QString& path) {
    const ImageFormat format = imageFormatOf(path);
    if (format == ImageFormat::Unknown) {
        return QStringLiteral(
            "An image is saved as PNG or SVG: give the name the ending .png or .svg.");
    }
    if (size.width() < 200 || size.height() < 150 || size.width() > 20000 ||
        size.height() > 20000) {
        return QStringLiteral("An image is 200 by 150 to 20000 by 20000 pixels.");
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("\"%1\" cannot be written (%2).").arg(path, file.errorString());
    }
    const bool painted = format == ImageFormat::Png ? paintPng(file, paint, size)
                                                    : paintSvg(file, paint, size, svgTitle);
    if (!painted || !file.commit()) {
        return QStringLiteral("\"%1\" cannot be written (%2).").arg(path, file.errorString());
    }
    return {};
}

}  // namespace

ImageFormat imageFormatOf(const QString& path) {
    if (path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        return ImageFormat::Png;
    }
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        return ImageFormat::Svg;
    }
    return ImageFormat::Unknown;
}

QString exportPlot(const LogSession& session, const PlotView& view, QSize size,
                   const QString& path) {
    return exportPicture(
        [&](Canvas& canvas, const Rect& area) { paintPlot(canvas, area, session, view); },
        QString::fromStdString(session.log.title), size, path);
}

QString exportComparison(const LapComparison& comparison, const PlotView& view, QSize size,
                         const QString& path) {
    // The title names no file's text: the picture shows the sessions' names.
    return exportPicture(
        [&](Canvas& canvas, const Rect& area) { paintComparison(canvas, area, comparison, view); },
        QStringLiteral("DataDock lap comparison"), size, path);
}

QString exportLapFigures(const std::vector<LapFigures>& laps, const QString& path,
                         const std::optional<BehindReference>& reference) {
    const std::string csv = lapTableCsv(laps, reference);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        return QStringLiteral("\"%1\" cannot be written (%2).").arg(path, file.errorString());
    }
    return {};
}
