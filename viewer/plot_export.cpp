#include "viewer/plot_export.h"

#include <algorithm>
#include <cctype>

#include "text/translation.h"
#include "viewer/comparison_painter.h"
#include "viewer/lap_table_model.h"
#include "viewer/plot_painter.h"
#include "viewer/png_image.h"
#include "viewer/svg_canvas.h"
#include "viewer/whole_file.h"

namespace {

bool endsWith(const std::string& path, const std::string& ending) {
    if (path.size() < ending.size()) {
        return false;
    }
    return std::equal(ending.begin(), ending.end(), path.end() - static_cast<long>(ending.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

std::string svgOf(const Painting& paint, ImageSize size, const std::string& title) {
    const Rect area{0, 0, static_cast<double>(size.width), static_cast<double>(size.height)};
    SvgCanvas canvas(area.w, area.h, title);
    paint(canvas, area);
    return canvas.document();
}

std::string exportPicture(const Painting& paint, const std::string& svgTitle, ImageSize size,
                          const std::string& path) {
    const ImageFormat format = imageFormatOf(path);
    if (format == ImageFormat::Unknown) {
        return translated(
            "An image is saved as PNG or SVG: give the name the ending .png or .svg.");
    }
    if (size.width < 200 || size.height < 150 || size.width > 20000 || size.height > 20000) {
        return translated("An image is 200 by 150 to 20000 by 20000 pixels.");
    }
    if (format == ImageFormat::Svg) {
        return writeWholeFile(path, svgOf(paint, size, svgTitle));
    }
    std::string problem;
    const std::optional<std::string> png = paintPng(paint, size.width, size.height, problem);
    return png ? writeWholeFile(path, *png) : problem;
}

}  // namespace

ImageFormat imageFormatOf(const std::string& path) {
    if (endsWith(path, ".png")) {
        return ImageFormat::Png;
    }
    if (endsWith(path, ".svg")) {
        return ImageFormat::Svg;
    }
    return ImageFormat::Unknown;
}

std::string exportPlot(const LogSession& session, const PlotView& view, ImageSize size,
                       const std::string& path) {
    return exportPicture(
        [&](Canvas& canvas, const Rect& area) { paintPlot(canvas, area, session, view); },
        session.log.title, size, path);
}

std::string exportComparison(const LapComparison& comparison, const PlotView& view, ImageSize size,
                             const std::string& path) {
    // The title names no file's text: the picture shows the sessions' names.
    return exportPicture(
        [&](Canvas& canvas, const Rect& area) { paintComparison(canvas, area, comparison, view); },
        translated("DataDock lap comparison"), size, path);
}

std::string exportLapFigures(const std::vector<LapFigures>& laps, const std::string& path,
                             const std::optional<BehindReference>& reference) {
    return writeWholeFile(path, lapTableCsv(laps, reference));
}
