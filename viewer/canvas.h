#pragma once

#include <cstdint>
#include <span>
#include <string>

// What the plots are drawn with, free of any toolkit: each platform's front
// draws these strokes, fills and texts in its own way.

// A colour and its opacity, 0 to 255 each.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Point {
    double x = 0, y = 0;
};

// Its left top corner and its size, in pixels.
struct Rect {
    double x = 0, y = 0, w = 0, h = 0;

    double left() const { return x; }
    double top() const { return y; }
    double right() const { return x + w; }
    double bottom() const { return y + h; }
    double width() const { return w; }
    double height() const { return h; }
    Point center() const { return {x + w / 2, y + h / 2}; }
    bool intersects(const Rect& other) const {
        return left() < other.right() && other.left() < right() && top() < other.bottom() &&
               other.top() < bottom();
    }
};

struct Line {
    Point from, to;
};

// Across the rectangle a text is drawn in; it is always centred upright.
enum class Align { Left, Centre, Right };

// A size of 0 is the canvas's own font (the window's or the application's).
struct Font {
    int points = 0;
    bool bold = false;
};

struct FontMetrics {
    double ascent = 0;  // from the top of a line to its baseline
    double height = 0;  // from one line's top to the next's
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void fillRect(const Rect& rect, Rgba colour) = 0;
    // Many rectangles of one colour: where each fill costs much on its own,
    // a canvas fills them at once.
    virtual void fillRects(std::span<const Rect> rects, Rgba colour) {
        for (const Rect& rect : rects) {
            fillRect(rect, colour);
        }
    }
    // The outline, one pixel wide.
    virtual void strokeRect(const Rect& rect, Rgba colour) = 0;
    // Many lines one pixel wide at any scale: the fast way to draw a series.
    virtual void drawLines(std::span<const Line> lines, Rgba colour) = 0;
    virtual void drawLine(const Line& line, Rgba colour, double width, bool dashed = false) = 0;
    virtual void drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                          const Font& font) = 0;
    virtual void drawTextAt(Point baseline, const std::string& utf8, Rgba colour,
                            const Font& font) = 0;
    // Reading upwards, centred in a rectangle standing upright.
    virtual void drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                                 const Font& font) = 0;
    // Drawing stays inside the rectangle until the matching popClip.
    virtual void pushClip(const Rect& rect) = 0;
    virtual void popClip() = 0;

    virtual double textWidth(const std::string& utf8, const Font& font) = 0;
    virtual FontMetrics metrics(const Font& font) = 0;
};
