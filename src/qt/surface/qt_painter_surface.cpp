#include "qt/surface/qt_painter_surface.h"
#include "qt/vector_state.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPoint>
#include <QPolygon>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace velmarin {

namespace {

// Lines are cut to this margin around the page before they reach Qt: the
// chart may hand over points far off the page (a day line of a far-away
// year), and the rasteriser's fixed-point arithmetic must not see them.
constexpr int kLineMargin = 4096;

// Fills narrower than this set their pixels row by row; wider ones copy
// their first row into the others.
constexpr int kNarrowFillWidth = 32;

// Sets `count` pixels four at a time: a plain loop here is compiled to one
// store per pixel.
void SetPixels(QRgb* pixels, int count, QRgb value) {
    using Quad = std::uint32_t __attribute__((vector_size(16)));
    const Quad quad = {value, value, value, value};
    for (; count >= 4; count -= 4, pixels += 4) std::memcpy(pixels, &quad, sizeof quad);
    for (; count > 0; --count) *pixels++ = value;
}

// Liang-Barsky clip of the segment (x1, y1)-(x2, y2) to [lo, hi]; false when
// nothing of it is left. Only the cut ends move.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY,
                 double hiX, double hiY) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double sx = x1;
    const double sy = y1;
    if (t1 < 1.0) {
        x2 = sx + t1 * dx;
        y2 = sy + t1 * dy;
    }
    if (t0 > 0.0) {
        x1 = sx + t0 * dx;
        y1 = sy + t0 * dy;
    }
    return true;
}

// Height of a whole line per unit of em size, for fonts requested by line height.
double LineHeightPerEm(const QFont& font) {
    QFont probe(font);
    probe.setPixelSize(100);
    const QFontMetricsF metrics(probe);
    const double line = metrics.ascent() + metrics.descent();
    return line > 0.0 ? line / 100.0 : 1.0;
}

}  // namespace

namespace {

// Calls f(x, y) for each pixel of the one-pixel line from `from` up to but
// not including `to`.
template <typename F>
void ForEachThinLinePixel(QPoint from, QPoint to, F f) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    const int steps = std::max(dx, dy);
    int x = from.x();
    int y = from.y();
    if (dx >= dy) {
        int error = dx / 2;
        for (int i = 0; i < steps; ++i) {
            f(x, y);
            x += sx;
            error -= dy;
            if (error < 0) {
                y += sy;
                error += dx;
            }
        }
    } else {
        int error = dy / 2;
        for (int i = 0; i < steps; ++i) {
            f(x, y);
            y += sy;
            error -= dx;
            if (error < 0) {
                x += sx;
                error += dy;
            }
        }
    }
}

}  // namespace

QPolygon ThinLinePixels(QPoint from, QPoint to) {
    QPolygon pixels;
    pixels.reserve(std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())));
    ForEachThinLinePixel(from, to, [&](int x, int y) { pixels.append(QPoint(x, y)); });
    return pixels;
}

Font SurfaceDefaultFont() {
    Font font;
    font.face = "Arial";
    font.height = -14;
    font.weight = 400;
    return font;
}

QColor ToQColor(Color color) {
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QFont ToQFont(const Font& font) {
    QFont qfont(QString::fromStdString(font.face));
    qfont.setStyleStrategy(
        static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    qfont.setKerning(true);
    // The chart's faces come in regular and bold only; left to the font
    // matcher, a weight between them (the title's 600) turns out bold at
    // some pixel sizes and regular at others. From 600 on it is bold, as the
    // old platform chose for such families.
    qfont.setWeight(font.weight >= 600 ? QFont::Bold : QFont::Normal);
    int pixels = -SurfaceDefaultFont().height;
    if (font.height < 0) {
        pixels = font.height == std::numeric_limits<int>::min() ? 20000 : -font.height;
    } else if (font.height > 0) {
        pixels = static_cast<int>(std::lround(font.height / LineHeightPerEm(qfont)));
    }
    qfont.setPixelSize(std::clamp(pixels, 1, 20000));
    return qfont;
}

QtPainterSurface::QtPainterSurface(QPainter& painter, int width, int height, bool printing,
                                   QImage* image, WideLineStamps* keptStamps,
                                   TextPixels* textPixels, TextAdvances* keptAdvances,
                                   TextGlyphs* keptGlyphs)
    : painter_(painter),
      width_(std::max(0, width)),
      height_(std::max(0, height)),
      printing_(printing),
      image_(image),
      font_(SurfaceDefaultFont()),
      qfont_(ToQFont(font_)),
      clip_(0, 0, width_, height_),
      stamps_(keptStamps != nullptr ? *keptStamps : ownStamps_),
      textPixels_(image != nullptr ? textPixels : nullptr),
      advances_(keptAdvances != nullptr ? *keptAdvances : ownAdvances_),
      glyphs_(keptGlyphs != nullptr ? *keptGlyphs : ownGlyphs_) {
    // The SVG generator writes no clip paths; shapes are cut to the clip here.
    cutsToClip_ = painter_.paintEngine() != nullptr &&
                  painter_.paintEngine()->type() == QPaintEngine::SVG;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    // Only text is smoothed: tracks and markers keep their exact colours.
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.resetTransform();
    painter_.setClipping(false);
    ReleaseWideVectorState();
}

Pen QtPainterSurface::SelectPen(const Pen& pen) {
    const Pen previous = pen_;
    pen_ = pen;
    return previous;
}

Brush QtPainterSurface::SelectBrush(const Brush& brush) {
    const Brush previous = brush_;
    brush_ = brush;
    return previous;
}

Font QtPainterSurface::SelectFont(const Font& font) {
    const WideVectorStateRelease release;
    const Font previous = font_;
    if (!(font == font_)) {
        font_ = font;
        qfont_ = ToQFont(font);
        metrics_.reset();
    }
    return previous;
}

Font QtPainterSurface::DefaultFont() const { return SurfaceDefaultFont(); }

QPen QtPainterSurface::MakeQPen() const {
    const int width = std::max(1, pen_.width);
    if (width > 1) return WideLineStamps::Pen(width, ToQRgb(pen_.color));
    QPen pen(ToQColor(pen_.color));
    pen.setStyle(Qt::SolidLine);
    pen.setWidth(width);
    // A flat cap leaves out the last pixel of a one-unit line.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

bool QtPainterSurface::CutsShapes() const { return cutsToClip_ && clipSet_; }

void QtPainterSurface::FillCut(const QPainterPath& path, Color color) {
    QPainterPath clip;
    clip.addRect(QRectF(clip_));
    painter_.fillPath(path.intersected(clip), ToQColor(color));
}

void QtPainterSurface::ForgetUniform(const QRect& changed) {
    if (!uniform_.intersects(changed)) return;
    // What is left of the uniform area beside the change: the largest of
    // the four bands above, below, left and right of it.
    const QRect parts[] = {
        QRect(QPoint(uniform_.left(), uniform_.top()), QPoint(uniform_.right(), changed.top() - 1)),
        QRect(QPoint(uniform_.left(), changed.bottom() + 1), QPoint(uniform_.right(), uniform_.bottom())),
        QRect(QPoint(uniform_.left(), uniform_.top()), QPoint(changed.left() - 1, uniform_.bottom())),
        QRect(QPoint(changed.right() + 1, uniform_.top()), QPoint(uniform_.right(), uniform_.bottom()))};
    QRect largest;
    qint64 largestArea = 0;
    for (const QRect& part : parts) {
        const QRect inside = part.intersected(uniform_);
        const qint64 area = inside.isEmpty() ? 0 : static_cast<qint64>(inside.width()) * inside.height();
        if (area > largestArea) {
            largest = inside;
            largestArea = area;
        }
    }
    uniform_ = largest;
}

void QtPainterSurface::FillRect(const QRect& rect, Color color) {
    if (image_ != nullptr && WritableAsOpaquePixels(*image_)) {
        // Opaque raster pages are filled here: Qt's fill hands large areas
        // to its thread pool, whose wake-ups cost more than the fill.
        const QRect area = rect.intersected(clip_).intersected(image_->rect());
        if (area.isEmpty()) return;
        // Already that colour throughout (the plot's white after the page's).
        if (color == uniformColor_ && uniform_.contains(area)) return;
        if (color == uniformColor_ && area.intersects(uniform_)) {
            if (area.contains(uniform_)) uniform_ = area;
        } else if (static_cast<qint64>(area.width()) * area.height() >
                   static_cast<qint64>(uniform_.width()) * uniform_.height()) {
            uniform_ = area;
            uniformColor_ = color;
        } else {
            ForgetUniform(area);
        }
        const QRgb pixel = ToQRgb(color);
        uchar* const bits = image_->bits();
        const qsizetype bytesPerLine = image_->bytesPerLine();
        QRgb* const first = reinterpret_cast<QRgb*>(bits + area.top() * bytesPerLine) + area.left();
        if (area.width() < kNarrowFillWidth) {
            // Narrow cells (a twilight column): a call per row would cost
            // more than its few stores.
            for (int y = area.top(); y <= area.bottom(); ++y) {
                SetPixels(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + area.left(), area.width(), pixel);
            }
            return;
        }
        SetPixels(first, area.width(), pixel);
        // The other rows are copies of the first, each one memcpy.
        const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
        for (int y = area.top() + 1; y <= area.bottom(); ++y) {
            std::memcpy(reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + area.left(), first, rowBytes);
        }
        return;
    }
    uniform_ = QRect();
    const QRect area = CutsShapes() ? rect.intersected(clip_) : rect;
    if (!area.isEmpty()) painter_.fillRect(area, ToQColor(color));
}

QPainterPath QtPainterSurface::StrokeOf(const QPainterPath& path) const {
    const QPen pen = MakeQPen();
    QPainterPathStroker stroker;
    stroker.setWidth(pen.widthF());
    stroker.setCapStyle(pen.capStyle());
    stroker.setJoinStyle(pen.joinStyle());
    return stroker.createStroke(path);
}

void QtPainterSurface::MoveTo(int x, int y) { position_ = Point{x, y}; }

void QtPainterSurface::LineTo(int x, int y) {
    const WideVectorStateRelease release;
    uniform_ = QRect();
    const Point from = position_;
    position_ = Point{x, y};
    if (from == position_) return;
    const int margin = kLineMargin + std::max(1, pen_.width);
    const auto withinReach = [&](Point p) {
        return p.x >= -margin && p.x <= width_ + margin && p.y >= -margin && p.y <= height_ + margin;
    };
    QPoint start(from.x, from.y);
    QPoint end(x, y);
    // Ends within reach need no clipping (nearly every line of the chart).
    if (!withinReach(from) || !withinReach(position_)) {
        double x1 = from.x, y1 = from.y, x2 = x, y2 = y;
        if (!ClipSegment(x1, y1, x2, y2, -margin, -margin, width_ + margin, height_ + margin)) return;
        start = QPoint(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)));
        end = QPoint(static_cast<int>(std::lround(x2)), static_cast<int>(std::lround(y2)));
    }
    if (CutsShapes()) {
        QPainterPath line(start);
        line.lineTo(end);
        FillCut(StrokeOf(line), pen_.color);
        return;
    }
    const int penWidth = std::max(1, pen_.width);
    if (image_ != nullptr && WritableAsOpaquePixels(*image_) &&
        DrawRasterLine(WideLineStamps::RasterOf(*image_, clip_), start, end)) {
        return;
    }
    painter_.setPen(MakeQPen());
    painter_.setBrush(Qt::NoBrush);
    if (image_ != nullptr && penWidth == 1) {
        painter_.drawPoints(ThinLinePixels(start, end));
    } else {
        painter_.drawLine(start, end);
    }
}

bool QtPainterSurface::DrawRasterLine(const WideLineStamps::Raster& raster, QPoint start, QPoint end) {
    const int penWidth = std::max(1, pen_.width);
    if (penWidth > 1) return stamps_.Draw(raster, start, end, penWidth, ToQRgb(pen_.color));
    // Qt's thin lines drop the pixel at the larger coordinate whatever the
    // direction; the chart needs the end point left out, so raster output
    // steps the pixels itself, and sets them as Qt's points would. The clip
    // is the raster's, inclusive (QRect's test is a call into Qt per pixel).
    const QRgb pixel = ToQRgb(pen_.color);
    ForEachThinLinePixel(start, end, [&](int x, int y) {
        if (x >= raster.left && x <= raster.right && y >= raster.top && y <= raster.bottom) {
            reinterpret_cast<QRgb*>(raster.bits + y * raster.bytesPerLine)[x] = pixel;
        }
    });
    return true;
}

void QtPainterSurface::Polyline(const Point* points, int count) {
    if (count < 2) return;
    if (image_ == nullptr || CutsShapes() || !WritableAsOpaquePixels(*image_)) {
        Surface::Polyline(points, count);
        return;
    }
    const WideVectorStateRelease release;
    uniform_ = QRect();
    const WideLineStamps::Raster raster = WideLineStamps::RasterOf(*image_, clip_);
    const int margin = kLineMargin + std::max(1, pen_.width);
    const auto withinReach = [&](Point p) {
        return p.x >= -margin && p.x <= width_ + margin && p.y >= -margin && p.y <= height_ + margin;
    };
    for (int i = 1; i < count; ++i) {
        const Point from = points[i - 1], to = points[i];
        if (from == to) continue;
        // Lines to be cut, or that the raster cannot take, go as LineTo draws them.
        if (withinReach(from) && withinReach(to) &&
            DrawRasterLine(raster, QPoint(from.x, from.y), QPoint(to.x, to.y))) {
            continue;
        }
        position_ = from;
        LineTo(to.x, to.y);
    }
    position_ = points[count - 1];
}

void QtPainterSurface::Rectangle(int left, int top, int right, int bottom) {
    const WideVectorStateRelease release;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int penWidth = std::max(1, pen_.width);
    // Edges far off the page are pulled in; their outline stays off the page.
    const int reach = penWidth + 1;
    left = std::max(left, -reach);
    top = std::max(top, -reach);
    right = std::min(right, width_ + reach);
    bottom = std::min(bottom, height_ + reach);
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0) return;
    if (!brush_.hollow) FillRect(QRect(left, top, w, h), brush_.color);
    // An outline in the brush's own colour changes nothing (the twilight cells).
    if (!brush_.hollow && brush_.color == pen_.color) return;
    const int bandX = std::min(penWidth, w);
    const int bandY = std::min(penWidth, h);
    FillRect(QRect(left, top, w, bandY), pen_.color);
    FillRect(QRect(left, bottom - bandY, w, bandY), pen_.color);
    FillRect(QRect(left, top, bandX, h), pen_.color);
    FillRect(QRect(right - bandX, top, bandX, h), pen_.color);
}

void QtPainterSurface::Ellipse(int left, int top, int right, int bottom) {
    uniform_ = QRect();
    const WideVectorStateRelease release;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int w = right - left;
    const int h = bottom - top;
    if (w <= 0 || h <= 0) return;
    if (right < -kLineMargin || bottom < -kLineMargin || left > width_ + kLineMargin ||
        top > height_ + kLineMargin || w > 8 * kLineMargin || h > 8 * kLineMargin) {
        return;  // nothing of it can reach the page, or too large to rasterise safely
    }
    const int penWidth = std::max(1, pen_.width);
    // The pen runs inside the box: its centre line lies half a pen width in.
    const double inset = penWidth / 2.0;
    const QRectF box(left + inset, top + inset, std::max(0.0, w - 2 * inset),
                     std::max(0.0, h - 2 * inset));
    if (CutsShapes()) {
        QPainterPath ellipse;
        ellipse.addEllipse(box);
        if (!brush_.hollow) FillCut(ellipse, brush_.color);
        FillCut(StrokeOf(ellipse), pen_.color);
        return;
    }
    QPen pen = MakeQPen();
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    if (brush_.hollow) {
        painter_.setBrush(Qt::NoBrush);
    } else {
        painter_.setBrush(ToQColor(brush_.color));
    }
    painter_.drawEllipse(box);
}

void QtPainterSurface::Polygon(const Point* points, int count) {
    uniform_ = QRect();
    const WideVectorStateRelease release;
    if (points == nullptr || count < 2) return;
    QPolygon polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) {
        polygon.append(QPoint(std::clamp(points[i].x, -kLineMargin, width_ + kLineMargin),
                              std::clamp(points[i].y, -kLineMargin, height_ + kLineMargin)));
    }
    if (CutsShapes()) {
        QPainterPath outline;
        outline.setFillRule(Qt::OddEvenFill);
        outline.addPolygon(QPolygonF(polygon));
        outline.closeSubpath();
        if (!brush_.hollow) FillCut(outline, brush_.color);
        FillCut(StrokeOf(outline), pen_.color);
        return;
    }
    painter_.setPen(MakeQPen());
    if (brush_.hollow) {
        painter_.setBrush(Qt::NoBrush);
    } else {
        painter_.setBrush(ToQColor(brush_.color));
    }
    painter_.drawPolygon(polygon, Qt::OddEvenFill);
}

void QtPainterSurface::SetPixel(int x, int y, Color color) {
    const WideVectorStateRelease release;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    FillRect(QRect(x, y, 1, 1), color);
}

Color QtPainterSurface::GetPixel(int x, int y) const {
    const WideVectorStateRelease release;
    if (image_ == nullptr || !clip_.contains(x, y) || !image_->valid(x, y)) return kInvalidColor;
    const QRgb pixel = image_->pixel(x, y);
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

const QFontMetrics& QtPainterSurface::Metrics() const {
    if (!metrics_) metrics_.emplace(qfont_, painter_.device());
    return *metrics_;
}

void QtPainterSurface::TextOut(int x, int y, const std::string& utf8Text) {
    const WideVectorStateRelease release;
    if (utf8Text.empty()) return;
    // Text that starts this far off the page cannot reach it.
    const int limit = 4 * kLineMargin + std::max(width_, height_);
    if (x < -limit || y < -limit || x > limit || y > limit) return;
    const QString text = QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size()));
    const QFontMetrics& metrics = Metrics();
    QTransform transform;
    transform.translate(x, y);
    // Escapement turns the text counter-clockwise about its top-left corner.
    if (font_.escapement != 0) transform.rotate(-font_.escapement / 10.0);
    const QRect box(0, 0, advances_.Of(font_, utf8Text, metrics), metrics.ascent() + metrics.descent());
    if (CutsShapes() && !clip_.contains(transform.mapRect(box))) {
        // Text across the clip's edge goes as outlines, cut like the shapes.
        if (backgroundMode_ == BackgroundMode::Opaque) {
            QPainterPath background;
            background.addRect(QRectF(box));
            FillCut(transform.map(background), backgroundColor_);
        }
        QPainterPath glyphs;
        glyphs.addText(QPointF(0, metrics.ascent()), qfont_, text);
        FillCut(transform.map(glyphs), textColor_);
        return;
    }
    // However far glyphs overhang, never beyond a line height around the box.
    const int lineHeight = std::max(1, box.height());
    ForgetUniform(transform.mapRect(box.adjusted(-lineHeight, -lineHeight, lineHeight, lineHeight)));
    // Glyphs may reach a little beyond their advance box (overhangs, the
    // smoothed edge); what text can have changed is kept for the readout.
    const int reach = std::max(2, box.height() / 4);
    const QRect touched = textPixels_ == nullptr
                              ? QRect()
                              : transform.mapRect(box.adjusted(-reach, -reach, reach, reach))
                                    .intersected(clip_)
                                    .intersected(image_->rect());
    if (!touched.isEmpty()) textPixels_->Before(*image_, touched);
    painter_.setTransform(transform);
    if (backgroundMode_ == BackgroundMode::Opaque) painter_.fillRect(box, ToQColor(backgroundColor_));
    painter_.setPen(ToQColor(textColor_));
    // On a raster page, upright text is drawn from its kept glyphs (the
    // pixels drawText gives, without shaping it again).
    const QList<QGlyphRun>* const glyphs =
        image_ != nullptr && font_.escapement == 0 ? &glyphs_.Of(font_, utf8Text, qfont_) : nullptr;
    if (glyphs != nullptr && !glyphs->isEmpty()) {
        for (const QGlyphRun& run : *glyphs) painter_.drawGlyphRun(QPointF(0, metrics.ascent()), run);
    } else {
        painter_.setFont(qfont_);
        painter_.drawText(QPoint(0, metrics.ascent()), text);
    }
    painter_.resetTransform();
    if (!touched.isEmpty()) textPixels_->After(*image_);
}

TextSize QtPainterSurface::GetTextExtent(const std::string& utf8Text) const {
    const WideVectorStateRelease release;
    const QFontMetrics& metrics = Metrics();
    return TextSize{advances_.Of(font_, utf8Text, metrics), metrics.ascent() + metrics.descent()};
}

void QtPainterSurface::IntersectClipRect(int left, int top, int right, int bottom) {
    const WideVectorStateRelease release;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    // Clamp first so that width and height stay in range.
    left = std::clamp(left, -1, width_ + 1);
    right = std::clamp(right, -1, width_ + 1);
    top = std::clamp(top, -1, height_ + 1);
    bottom = std::clamp(bottom, -1, height_ + 1);
    clip_ = clip_.intersected(QRect(left, top, right - left, bottom - top));
    if (clip_.isEmpty()) clip_ = QRect(0, 0, 0, 0);
    painter_.setClipRect(clip_, Qt::ReplaceClip);
    clipSet_ = true;
}

int ScreenCharHeight() {
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    const QtPainterSurface surface(painter, 1, 1, false, &image);
    return surface.GetTextExtent("A").cy;
}

}  // namespace velmarin
