#include "viewer/svg_canvas.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// A font of 0 points is the canvas's own, the windows' usual size.
constexpr int kOwnFontPoints = 9;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr const char* kFontFamily = "Segoe UI, DejaVu Sans, Arial, sans-serif";
// Arial's vertical metrics, in ems.
constexpr double kAscentEm = 0.905;
constexpr double kLineHeightEm = 1.15;
// Bold letters run this much wider than the regular ones, on average.
constexpr double kBoldWidening = 1.06;

// Advances of Arial (and Helvetica) in thousandths of an em, for ' ' to '~'.
constexpr std::array<std::uint16_t, 95> kAsciiAdvances = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' ' to /
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 to ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ to O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P to _
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` to o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};      // p to ~
constexpr double kOtherAdvanceEm = 0.55;

// Pictures are never this large: farther points are off it anyway, and a
// bounded number keeps its text short.
constexpr double kLargestCoordinate = 1e7;

std::string number(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    value = std::clamp(value, -kLargestCoordinate, kLargestCoordinate);
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, 2);
    std::string text(buffer.data(), error == std::errc{} ? end : buffer.data());
    // "1.50" is "1.5", "2.00" is "2", "-0.00" is "0".
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text.empty() || text == "-0" ? "0" : text;
}

std::string colourHex(Rgba colour) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex = "#";
    for (const std::uint8_t part : {colour.r, colour.g, colour.b}) {
        hex += kDigits[part >> 4];
        hex += kDigits[part & 0x0F];
    }
    return hex;
}

// ' fill="#rrggbb"' and its opacity when it is not opaque.
std::string paint(const char* what, Rgba colour) {
    std::string text = std::string(" ") + what + "=\"" + colourHex(colour) + '"';
    if (colour.a < 255) {
        text += std::string(" ") + what + "-opacity=\"" + number(colour.a / 255.0) + '"';
    }
    return text;
}

// The code point at the front of bytes and its length, when the bytes begin
// with a shortest, valid UTF-8 sequence.
std::optional<std::pair<char32_t, std::size_t>> decodeUtf8(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80) {
        return std::pair{char32_t{lead}, std::size_t{1}};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || bytes.size() < length) {
        return std::nullopt;
    }
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair{code, length};
}

// What XML 1.0 holds, less the control characters, which no label shows.
bool isShownCharacter(char32_t code) {
    return code >= 0x20 && !(code >= 0x7F && code <= 0x9F) && code != 0xFFFE && code != 0xFFFF;
}

void appendEscapedByte(std::string& text, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += "\\x";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
}

// Valid UTF-8 stays; a byte that is not, or a control character, is shown
// as \xNN: a file's text may hold anything, the document must still parse.
std::string shownText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto decoded = decodeUtf8(bytes);
        const std::size_t length = decoded ? decoded->second : 1;
        if (decoded && isShownCharacter(decoded->first)) {
            text.append(bytes.substr(0, length));
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                appendEscapedByte(text, static_cast<unsigned char>(bytes[i]));
            }
        }
        bytes.remove_prefix(length);
    }
    return text;
}

std::string escapedXml(std::string_view utf8) {
    std::string text;
    for (const char c : shownText(utf8)) {
        switch (c) {
            case '&':
                text += "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            case '\'':
                text += "&apos;";
                break;
            default:
                text += c;
        }
    }
    return text;
}

bool isWide(char32_t code) {
    return (code >= 0x1100 && code <= 0x115F) || (code >= 0x2E80 && code <= 0xA4CF) ||
           (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
           (code >= 0xFE30 && code <= 0xFE4F) || (code >= 0xFF00 && code <= 0xFF60) ||
           (code >= 0xFFE0 && code <= 0xFFE6) || (code >= 0x20000 && code <= 0x3FFFD);
}

double advanceEm(char32_t code) {
    if (code >= 0x20 && code <= 0x7E) {
        return kAsciiAdvances[code - 0x20] / 1000.0;
    }
    if (isWide(code)) {
        return 1.0;
    }
    return code >= 0xFF61 && code <= 0xFF9F ? 0.5 : kOtherAdvanceEm;  // half-width kana
}

double pixelsOf(const Font& font) {
    return (font.points > 0 ? font.points : kOwnFontPoints) * kPixelsPerPoint;
}

// A rectangle's position and size, its size never negative.
std::string rectAttributes(const Rect& rect) {
    const double x = std::min(rect.x, rect.x + rect.w), y = std::min(rect.y, rect.y + rect.h);
    return " x=\"" + number(x) + "\" y=\"" + number(y) + "\" width=\"" + number(std::abs(rect.w)) +
           "\" height=\"" + number(std::abs(rect.h)) + '"';
}

std::string point(Point at) {
    return number(at.x) + ' ' + number(at.y);
}

}  // namespace

SvgCanvas::SvgCanvas(double width, double height, const std::string& titleUtf8) {
    const std::string w = number(std::max(width, 0.0)), h = number(std::max(height, 0.0));
    m_head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h +
        "\" xml:space=\"preserve\">\n<title>" + escapedXml(titleUtf8) + "</title>\n";
}

void SvgCanvas::fillRect(const Rect& rect, Rgba colour) {
    m_body += "<rect" + rectAttributes(rect) + paint("fill", colour) + "/>\n";
}

void SvgCanvas::strokeRect(const Rect& rect, Rgba colour) {
    m_body += "<rect" + rectAttributes(rect) + " fill=\"none\"" + paint("stroke", colour) +
              " stroke-width=\"1\"/>\n";
}

// One path a series. A line that goes on from where the last one ended (or
// ends there) continues its polyline, and a dot where the lines around it
// pass is left out: the file stays small. Square ends, as Qt's pen has, show
// a lone sample as a dot.
void SvgCanvas::drawLines(std::span<const Line> lines, Rgba colour) {
    std::vector<std::pair<std::string, std::string>> ends;
    ends.reserve(lines.size());
    for (const Line& line : lines) {
        ends.emplace_back(point(line.from), point(line.to));
    }
    std::string path, lastEnd;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        auto [from, to] = ends[i];
        const bool dotTouchingNext =
            i + 1 < ends.size() && (ends[i + 1].first == from || ends[i + 1].second == from);
        if (from == to && (from == lastEnd || dotTouchingNext)) {
            continue;
        }
        if (from != lastEnd && to == lastEnd) {
            std::swap(from, to);
        }
        if (from != lastEnd) {
            path += (path.empty() ? "M" : " M") + from + " L";
        }
        path += ' ' + to;
        lastEnd = to;
    }
    if (path.empty()) {
        return;
    }
    m_body += "<path d=\"" + path + "\" fill=\"none\"" + paint("stroke", colour) +
              " stroke-width=\"1\" stroke-linecap=\"square\" stroke-linejoin=\"bevel\"/>\n";
}

void SvgCanvas::drawLine(const Line& line, Rgba colour, double width, bool dashed) {
    m_body += "<line x1=\"" + number(line.from.x) + "\" y1=\"" + number(line.from.y) + "\" x2=\"" +
              number(line.to.x) + "\" y2=\"" + number(line.to.y) + '"' + paint("stroke", colour) +
              " stroke-width=\"" + number(width) + '"';
    if (dashed) {
        // Qt's dashes: four widths drawn, two left out.
        m_body += " stroke-dasharray=\"" + number(4 * width) + ',' + number(2 * width) + '"';
    }
    m_body += "/>\n";
}

void SvgCanvas::appendText(Point baseline, const char* anchor, const std::string& utf8, Rgba colour,
                           const Font& font, const std::string& transform) {
    m_body += "<text x=\"" + number(baseline.x) + "\" y=\"" + number(baseline.y) +
              "\" font-family=\"" + kFontFamily + "\" font-size=\"" + number(pixelsOf(font)) + '"' +
              (font.bold ? " font-weight=\"bold\"" : "") + paint("fill", colour);
    if (anchor != nullptr) {
        m_body += std::string(" text-anchor=\"") + anchor + '"';
    }
    if (!transform.empty()) {
        m_body += " transform=\"" + transform + '"';
    }
    m_body += '>' + escapedXml(utf8) + "</text>\n";
}

double SvgCanvas::baselineBelowCentre(const Font& font) {
    const FontMetrics fontMetrics = metrics(font);
    return fontMetrics.ascent - fontMetrics.height / 2;
}

void SvgCanvas::drawText(const Rect& rect, Align align, const std::string& utf8, Rgba colour,
                         const Font& font) {
    const double y = rect.center().y + baselineBelowCentre(font);
    switch (align) {
        case Align::Left:
            appendText({rect.left(), y}, nullptr, utf8, colour, font, {});
            return;
        case Align::Right:
            appendText({rect.right(), y}, "end", utf8, colour, font, {});
            return;
        case Align::Centre:
            break;
    }
    appendText({rect.center().x, y}, "middle", utf8, colour, font, {});
}

void SvgCanvas::drawTextAt(Point baseline, const std::string& utf8, Rgba colour, const Font& font) {
    appendText(baseline, nullptr, utf8, colour, font, {});
}

// Written upright, centred on the rectangle's centre, then turned about it.
void SvgCanvas::drawTextUpwards(const Rect& rect, const std::string& utf8, Rgba colour,
                                const Font& font) {
    const Point centre = rect.center();
    appendText({centre.x, centre.y + baselineBelowCentre(font)}, "middle", utf8, colour, font,
               "rotate(-90 " + point(centre) + ')');
}

void SvgCanvas::pushClip(const Rect& rect) {
    const std::string id = "c" + std::to_string(m_nextClip++);
    m_defs += "<clipPath id=\"" + id + "\"><rect" + rectAttributes(rect) + "/></clipPath>\n";
    m_body += "<g clip-path=\"url(#" + id + ")\">\n";
    ++m_openClips;
}

// A pop without its push is left out: the groups stay balanced.
void SvgCanvas::popClip() {
    if (m_openClips > 0) {
        m_body += "</g>\n";
        --m_openClips;
    }
}

double SvgCanvas::textWidth(const std::string& utf8, const Font& font) {
    const std::string shownBytes = shownText(utf8);
    std::string_view shown = shownBytes;
    double ems = 0;
    while (!shown.empty()) {
        const auto decoded = decodeUtf8(shown);  // always valid once shown
        ems += advanceEm(decoded ? decoded->first : U'?');
        shown.remove_prefix(decoded ? decoded->second : 1);
    }
    return ems * pixelsOf(font) * (font.bold ? kBoldWidening : 1.0);
}

FontMetrics SvgCanvas::metrics(const Font& font) {
    const double pixels = pixelsOf(font);
    return {kAscentEm * pixels, kLineHeightEm * pixels};
}

std::string SvgCanvas::document() const {
    std::string text = m_head;
    if (!m_defs.empty()) {
        text += "<defs>\n" + m_defs + "</defs>\n";
    }
    text += m_body;
    for (int open = 0; open < m_openClips; ++open) {
        text += "</g>\n";
    }
    return text + "</svg>\n";
}
