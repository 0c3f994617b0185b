#pragma once

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/chart/surface.h"

namespace velmarin::testing {

// One drawing call as a surface received it, with the state of the moment.
struct SurfaceCall {
    enum Kind { Line, Rectangle, Ellipse, Polygon, Pixel, Text, Clip };
    Kind kind = Line;
    // Line: from (x1, y1) to (x2, y2); Rectangle, Ellipse, Clip: left, top,
    // right, bottom as passed; Pixel and Text: (x1, y1).
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::vector<Point> points;  // Polygon
    std::string text;           // Text
    Color color = 0;            // Pixel
    Pen pen;
    Brush brush;
    Font font;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    Color backgroundColor = 0;
    Color textColor = 0;
};

// A surface that draws nothing and records every call, for tests that count
// or place what a chart layer draws. Text metrics are simple and fixed: a
// font of character height h (the default font: 14) gives characters
// 6h/10 wide and lines 12h/10 high (at least 1 each), whatever the escapement.
// GetPixel answers from pixelSource when set, else the last SetPixel at that
// point, else kInvalidColor.
class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(int width = 640, int height = 480, bool printing = false)
        : width_(width), height_(height), printing_(printing) {}

    std::vector<SurfaceCall> calls;
    std::function<Color(int x, int y)> pixelSource;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsPrinting() const override { return printing_; }

    Pen SelectPen(const Pen& pen) override { return std::exchange(pen_, pen); }
    Brush SelectBrush(const Brush& brush) override { return std::exchange(brush_, brush); }
    Font SelectFont(const Font& font) override { return std::exchange(font_, font); }
    Font DefaultFont() const override {
        Font font;
        font.height = -14;
        return font;
    }
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }
    const Font& CurrentFont() const { return font_; }

    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    void SetBackgroundColor(Color color) override { backgroundColor_ = color; }
    void SetTextColor(Color color) override { textColor_ = color; }

    void MoveTo(int x, int y) override { position_ = Point{x, y}; }
    void LineTo(int x, int y) override {
        SurfaceCall call = Make(SurfaceCall::Line);
        call.x1 = position_.x;
        call.y1 = position_.y;
        call.x2 = x;
        call.y2 = y;
        calls.push_back(call);
        position_ = Point{x, y};
    }
    void Rectangle(int left, int top, int right, int bottom) override {
        calls.push_back(Box(SurfaceCall::Rectangle, left, top, right, bottom));
    }
    void Ellipse(int left, int top, int right, int bottom) override {
        calls.push_back(Box(SurfaceCall::Ellipse, left, top, right, bottom));
    }
    void Polygon(const Point* points, int count) override {
        SurfaceCall call = Make(SurfaceCall::Polygon);
        call.points.assign(points, points + std::max(0, count));
        calls.push_back(call);
    }
    void SetPixel(int x, int y, Color color) override {
        SurfaceCall call = Make(SurfaceCall::Pixel);
        call.x1 = x;
        call.y1 = y;
        call.color = color;
        calls.push_back(call);
        pixels_[{x, y}] = color;
    }
    Color GetPixel(int x, int y) const override {
        if (pixelSource) return pixelSource(x, y);
        const auto found = pixels_.find({x, y});
        return found == pixels_.end() ? kInvalidColor : found->second;
    }
    void TextOut(int x, int y, const std::string& utf8Text) override {
        SurfaceCall call = Make(SurfaceCall::Text);
        call.x1 = x;
        call.y1 = y;
        call.text = utf8Text;
        calls.push_back(call);
    }
    TextSize GetTextExtent(const std::string& utf8Text) const override {
        const int em = font_.height < 0 ? -font_.height : (font_.height > 0 ? font_.height : 14);
        int characters = 0;
        for (const char c : utf8Text) characters += (static_cast<unsigned char>(c) & 0xc0) != 0x80;
        return TextSize{characters * std::max(1, em * 6 / 10), std::max(1, em * 12 / 10)};
    }
    void IntersectClipRect(int left, int top, int right, int bottom) override {
        calls.push_back(Box(SurfaceCall::Clip, left, top, right, bottom));
    }

    // The recorded calls of one kind, in order.
    std::vector<SurfaceCall> Of(SurfaceCall::Kind kind) const {
        std::vector<SurfaceCall> found;
        for (const SurfaceCall& call : calls) {
            if (call.kind == kind) found.push_back(call);
        }
        return found;
    }
    // The texts drawn, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const SurfaceCall& call : calls) {
            if (call.kind == SurfaceCall::Text) texts.push_back(call.text);
        }
        return texts;
    }

private:
    SurfaceCall Make(SurfaceCall::Kind kind) const {
        SurfaceCall call;
        call.kind = kind;
        call.pen = pen_;
        call.brush = brush_;
        call.font = font_;
        call.backgroundMode = backgroundMode_;
        call.backgroundColor = backgroundColor_;
        call.textColor = textColor_;
        return call;
    }
    SurfaceCall Box(SurfaceCall::Kind kind, int left, int top, int right, int bottom) const {
        SurfaceCall call = Make(kind);
        call.x1 = left;
        call.y1 = top;
        call.x2 = right;
        call.y2 = bottom;
        return call;
    }

    int width_;
    int height_;
    bool printing_;
    Pen pen_{};
    Brush brush_{};
    Font font_ = DefaultFont();
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Color backgroundColor_ = Rgb(255, 255, 255);
    Color textColor_ = Rgb(0, 0, 0);
    Point position_;
    std::map<std::pair<int, int>, Color> pixels_;
};

}  // namespace velmarin::testing
