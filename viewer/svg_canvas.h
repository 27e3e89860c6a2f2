#pragma once

#include <string>
#include <vector>

#include "viewer/canvas.h"

// A canvas that writes an SVG document: the same picture on every platform,
// without any toolkit. Texts are measured with fixed advances of a common
// sans-serif font, so that the layout does not depend on the fonts at hand.
class SvgCanvas final : public Canvas {
public:
    // The title is the document's <title>, escaped as every text is.
    SvgCanvas(double width, double height, const std::string& titleUtf8);

    void fillRect(const Rect& rect, Rgba colour) override;
    void strokeRect(const Rect& rect, Rgba colour) override;
    void drawLines(std::span<const Line> lines, Rgba colour) override;
    void drawLine(const Line& line, Rgba colour, double width, bool dashed) override;
    void drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                  const Font& font) override;
    void drawTextAt(Point baseline, const std::string& utf8, Rgba colour,
                    const Font& font) override;
    void drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                         const Font& font) override;
    void pushClip(const Rect& rect) override;
    void popClip() override;
    double textWidth(const std::string& utf8, const Font& font) override;
    FontMetrics metrics(const Font& font) override;

    // The whole document, its open groups closed.
    std::string document() const;

private:
    void appendText(Point baseline, const char* anchor, const std::string& utf8, Rgba colour,
                    const Font& font, const std::string& transform);
    double baselineBelowCentre(const Font& font);

    std::string m_head;
    std::string m_defs;  // the clipping rectangles
    std::string m_body;
    int m_nextClip = 0;
    int m_openClips = 0;
};
