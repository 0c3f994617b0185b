#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRect>
#include <optional>

#include "core/chart/surface.h"
#include "qt/surface/qt_text_advances.h"
#include "qt/surface/qt_text_glyphs.h"
#include "qt/surface/qt_text_pixels.h"
#include "qt/surface/qt_wide_line_stamps.h"

namespace velmarin {

// Surface over a QPainter with the chart's drawing semantics. Raster output
// (QImage) draws lines, fills and markers without antialiasing, text with
// grey-scale antialiasing, and can read pixels back; printer, SVG and PDF
// devices draw the same primitives and cannot read back.
//
// Wide pens (width > 1) draw round ends and round joins, so that the short
// segments of a track join without notches; one-unit pens leave out the end
// point of every line. Devices that ignore clipping (SVG) get every shape cut
// to the clip before it is drawn.
class QtPainterSurface : public Surface {
public:
    // image: the raster target when painting on a QImage (enables GetPixel), else nullptr.
    // The painter must be active on its device; the surface switches off
    // antialiasing of shapes and resets the painter's clip and transform.
    // keptStamps: wide-line shapes kept beyond this surface (else its own).
    // textPixels: when given (raster only), gets every pixel text draws.
    // keptAdvances, keptGlyphs: text widths and shapes kept beyond this
    // surface (else its own).
    QtPainterSurface(QPainter& painter, int width, int height, bool printing, QImage* image,
                     WideLineStamps* keptStamps = nullptr, TextPixels* textPixels = nullptr,
                     TextAdvances* keptAdvances = nullptr, TextGlyphs* keptGlyphs = nullptr);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool IsPrinting() const override { return printing_; }

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Font SelectFont(const Font& font) override;
    Font DefaultFont() const override;

    void SetBackgroundMode(BackgroundMode mode) override { backgroundMode_ = mode; }
    void SetBackgroundColor(Color color) override { backgroundColor_ = color; }
    void SetTextColor(Color color) override { textColor_ = color; }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    // A raster page's run is drawn asking Qt for the pixels once.
    void Polyline(const Point* points, int count) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(const Point* points, int count) override;
    void SetPixel(int x, int y, Color color) override;
    Color GetPixel(int x, int y) const override;

    void TextOut(int x, int y, const std::string& utf8Text) override;
    TextSize GetTextExtent(const std::string& utf8Text) const override;

    void IntersectClipRect(int left, int top, int right, int bottom) override;

private:
    QPen MakeQPen() const;
    // True where the paint engine ignores clipping and a clip is set: shapes
    // are then cut to the clip before they are drawn.
    bool CutsShapes() const;
    void FillCut(const QPainterPath& path, Color color);
    void FillRect(const QRect& rect, Color color);
    // Shrinks the area known to be of one colour so that it leaves out `changed`.
    void ForgetUniform(const QRect& changed);
    QPainterPath StrokeOf(const QPainterPath& path) const;
    // A line whose ends lie within reach of the page, with the current pen,
    // onto a raster page; false when it is not one to draw so (the painter
    // then draws it).
    bool DrawRasterLine(const WideLineStamps::Raster& raster, QPoint start, QPoint end);
    // The current font's metrics on this device, made when first asked.
    const QFontMetrics& Metrics() const;

    QPainter& painter_;
    int width_;
    int height_;
    bool printing_;
    QImage* image_;
    Pen pen_;
    Brush brush_;
    Font font_;
    QFont qfont_;
    mutable std::optional<QFontMetrics> metrics_;  // of qfont_
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Color backgroundColor_ = Rgb(255, 255, 255);
    Color textColor_ = Rgb(0, 0, 0);
    Point position_;
    QRect clip_;
    bool clipSet_ = false;
    // Raster pages: an area this surface filled with uniformColor_ and has
    // not drawn on since; a fill of that colour inside it changes nothing.
    QRect uniform_;
    Color uniformColor_ = 0;
    bool cutsToClip_ = false;
    WideLineStamps ownStamps_;
    WideLineStamps& stamps_;
    TextPixels* textPixels_;
    mutable TextAdvances ownAdvances_;
    TextAdvances& advances_;
    TextGlyphs ownGlyphs_;
    TextGlyphs& glyphs_;
};

// The font a fresh surface starts with: Arial at 14 px, which makes a line
// 16 px high (like the classic fixed system font), so the chart's font scale
// does not depend on the desktop's settings.
Font SurfaceDefaultFont();

// The Qt font for a chart font request. Negative heights are character
// heights (em size) in device units; positive heights are whole line heights;
// 0 takes the default font's size. Text is drawn as a well-set desktop
// program draws it: grey-scale antialiasing (never coloured subpixels, which
// would tint black text) and the font's kerning; it is measured with the
// same font.
QFont ToQFont(const Font& font);

QColor ToQColor(Color color);
// The same colour as an opaque pixel.
inline QRgb ToQRgb(Color color) { return qRgb(RedOf(color), GreenOf(color), BlueOf(color)); }

// The pixels of a one-unit line from `from` towards `to`, the end point left
// out (nothing for a line of no length).
QPolygon ThinLinePixels(QPoint from, QPoint to);

// Height of "A" in the default font of a fresh screen surface. Needs a
// QGuiApplication.
int ScreenCharHeight();

}  // namespace velmarin
