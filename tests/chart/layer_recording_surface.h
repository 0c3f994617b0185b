#pragma once

#include <string>
#include <vector>

#include "chart/surface.h"

namespace velmarin::testing {

// What a layer asked the surface to draw, with the pen and brush of the moment.
struct LayerOp {
    enum Kind { Line, Rectangle, Ellipse, Polygon, Pixel, Text } kind = Line;
    Pen pen;
    Brush brush;
    std::vector<Point> points;  // line: from, to; rectangle/ellipse: corners as given
    Color color = 0;            // pixel colour
    std::string text;
};

// A surface that records primitives instead of drawing them. Text extents
// are a fixed 6 x 10 per character so positions are predictable.
class LayerRecordingSurface : public Surface {
public:
    LayerRecordingSurface(int width, int height, bool printing = false)
        : width_(width), height_(height), printing_(printing) {}

    std::vector<LayerOp> ops;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsPrinting() const override { return printing_; }
    Pen SelectPen(const Pen& pen) override { return Swap(pen_, pen); }
    Brush SelectBrush(const Brush& brush) override { return Swap(brush_, brush); }
    Font SelectFont(const Font& font) override { return Swap(font_, font); }
    Font DefaultFont() const override { return Font{}; }
    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode = mode; }
    void SetBackgroundColor(Color) override {}
    void SetTextColor(Color) override {}
    void MoveTo(int x, int y) override { position_ = {x, y}; }
    void LineTo(int x, int y) override {
        Record(LayerOp::Line, {position_, {x, y}});
        position_ = {x, y};
    }
    void Rectangle(int l, int t, int r, int b) override { Record(LayerOp::Rectangle, {{l, t}, {r, b}}); }
    void Ellipse(int l, int t, int r, int b) override { Record(LayerOp::Ellipse, {{l, t}, {r, b}}); }
    void Polygon(const Point* points, int count) override {
        Record(LayerOp::Polygon, std::vector<Point>(points, points + count));
    }
    void SetPixel(int x, int y, Color color) override {
        Record(LayerOp::Pixel, {{x, y}});
        ops.back().color = color;
    }
    Color GetPixel(int, int) const override { return kInvalidColor; }
    void TextOut(int x, int y, const std::string& text) override {
        Record(LayerOp::Text, {{x, y}});
        ops.back().text = text;
    }
    TextSize GetTextExtent(const std::string& text) const override {
        return {6 * static_cast<int>(text.size()), 10};
    }
    void IntersectClipRect(int, int, int, int) override {}

    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const Font& CurrentFont() const { return font_; }

    std::vector<LayerOp> OfKind(LayerOp::Kind kind) const {
        std::vector<LayerOp> out;
        for (const LayerOp& op : ops) {
            if (op.kind == kind) out.push_back(op);
        }
        return out;
    }
    // Lines drawn with a pen of this colour.
    std::vector<LayerOp> LinesIn(Color color) const {
        std::vector<LayerOp> out;
        for (const LayerOp& op : ops) {
            if (op.kind == LayerOp::Line && op.pen.color == color) out.push_back(op);
        }
        return out;
    }

private:
    template <typename T>
    static T Swap(T& slot, const T& value) {
        T previous = slot;
        slot = value;
        return previous;
    }
    void Record(LayerOp::Kind kind, std::vector<Point> points) {
        LayerOp op;
        op.kind = kind;
        op.pen = pen_;
        op.brush = brush_;
        op.points = std::move(points);
        ops.push_back(std::move(op));
    }

    int width_, height_;
    bool printing_;
    Pen pen_{};
    Brush brush_{};
    Font font_{};
    Point position_{};
};

}  // namespace velmarin::testing
