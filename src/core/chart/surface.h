#pragma once

#include <cstdint>
#include <string>

namespace velmarin {

// Colour reference: red in the low byte, then green, then blue.
using Color = std::uint32_t;
constexpr Color Rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xff) | (static_cast<Color>(g & 0xff) << 8) |
           (static_cast<Color>(b & 0xff) << 16);
}
constexpr int RedOf(Color c) { return static_cast<int>(c & 0xff); }
constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xff); }
constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xff); }
// What GetPixel answers where there is no pixel to read (outside the image,
// outside the clip, or a surface that cannot read back).
inline constexpr Color kInvalidColor = 0xffffffffu;

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct TextSize {
    int cx = 0;
    int cy = 0;
};

// Solid pen; width 0 draws one device unit wide, like width 1.
struct Pen {
    Color color = Rgb(0, 0, 0);
    int width = 1;
    bool operator==(const Pen&) const = default;
};

// Solid brush, or none (shapes are then only outlined).
struct Brush {
    Color color = Rgb(255, 255, 255);
    bool hollow = false;
    bool operator==(const Brush&) const = default;
};

// Font request. height < 0: character height in device units (as the chart
// asks); escapement in tenths of a degree (0, 900 text runs up, 2700 down).
struct Font {
    std::string face = "Arial";
    int height = -13;
    int weight = 400;
    int escapement = 0;
    int orientation = 0;
    bool operator==(const Font&) const = default;
};

enum class BackgroundMode { Transparent, Opaque };

// A drawing surface with the semantics the chart's coordinates assume:
// device units, origin top-left, y downward; LineTo excludes its end point;
// Rectangle and Ellipse cover left..right-1 x top..bottom-1 (corners may come
// reversed and are normalised), filled with the brush, outlined with the pen
// inside that box; text is placed by its top-left corner and, in opaque mode,
// its box is filled with the background colour. No antialiasing of lines,
// fills and markers on raster output (their colours stay exact); text may be
// antialiased, and GetTextExtent measures it with the font it is drawn in.
// A fresh surface has a black pen of width 1, a white brush, the
// default font, opaque white background, black text and no clip.
class Surface {
public:
    virtual ~Surface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True while drawing on a printer page.
    virtual bool IsPrinting() const = 0;

    // Selection returns what was selected before, so callers can restore it.
    virtual Pen SelectPen(const Pen& pen) = 0;
    virtual Brush SelectBrush(const Brush& brush) = 0;
    virtual Font SelectFont(const Font& font) = 0;
    // The font a fresh surface has selected.
    virtual Font DefaultFont() const = 0;

    virtual void SetBackgroundMode(BackgroundMode mode) = 0;
    virtual void SetBackgroundColor(Color color) = 0;
    virtual void SetTextColor(Color color) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const Point* points, int count) = 0;
    virtual void SetPixel(int x, int y, Color color) = 0;
    virtual Color GetPixel(int x, int y) const = 0;

    virtual void TextOut(int x, int y, const std::string& utf8Text) = 0;
    virtual TextSize GetTextExtent(const std::string& utf8Text) const = 0;

    // Intersects the clip with left..right-1 x top..bottom-1.
    virtual void IntersectClipRect(int left, int top, int right, int bottom) = 0;

    // Convenience on top of the primitives.
    void Line(int x1, int y1, int x2, int y2) {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
    void Line(Point from, Point to) { Line(from.x, from.y, to.x, to.y); }
    // Line from each point to the next in turn, each as Line draws it (its
    // end point left out); leaves the position at the last point. Fewer than
    // two points draw nothing. Surfaces may draw the run at once.
    virtual void Polyline(const Point* points, int count) {
        for (int i = 1; i < count; ++i) Line(points[i - 1], points[i]);
    }
};

}  // namespace velmarin
