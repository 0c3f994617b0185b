// Body tracks, the two lines of the Moon's nodes and the sidereal-time line.
#include <cstdlib>

#include "core/chart/layers.h"
#include "core/chart/mode_angle.h"
#include "core/chart/shown_bodies.h"
#include "core/ephemeris/body_position.h"
#include "core/ephemeris/time_calendar.h"
#include "core/sky/year_sky.h"

namespace velmarin {

namespace {

// Half the plot along each axis (integer division): a step longer than this
// is a jump over the edge of the angle axis, not a movement.
struct HalfSpans {
    int halfW = 0;
    int halfH = 0;
};

HalfSpans HalfSpansOf(const ChartLayout& layout) {
    return {(layout.plotRight - layout.plotLeft) / 2, (layout.plotBottom - layout.plotTop) / 2};
}

// x == 0 marks a track without a previous point. y == 0 cannot occur on a
// laid-out plot, so that test only guards the very first point.
bool IsBreak(Point previous, Point p, HalfSpans spans) {
    return previous.x == 0 || (previous.y != 0 && std::abs(p.y - previous.y) > spans.halfH) ||
           std::abs(p.x - previous.x) > spans.halfW;
}

struct NodeLine {
    Point previous;
    bool wrapped = false;  // drew its backward wrap since the last regular step
};

class TrackPass {
public:
    explicit TrackPass(ChartPass& pass)
        : pass_(pass), dc_(pass.dc), layout_(pass.layout), catalogue_(pass.catalogue),
          spans_(HalfSpansOf(pass.layout)),
          shown_(ShownBodies(pass.settings)),
          coded_(pass.settings.codeByDiameter || pass.settings.codeByBrightness),
          defaultWidth_(DefaultTrackWidth(pass.catalogue, pass.layout)) {}

    // One track day: each body's step, the node lines around the Moon's
    // step, then the sidereal line.
    void DrawDay(const TrackDay& day) {
        const double jd = day.jd;
        const int bodies = BodiesDrawn();
        double sunReference = 0.0;
        for (int i = 0; i < bodies; ++i) {
            const BodyPosition& pos = day.bodies[i];
            if (i == IndexOf(BodyId::kSun)) sunReference = pos.ra;
            if (i < kSelectableBodyCount && !shown_[i]) continue;
            // Against the opposite of the Sun the Sun itself lies on the
            // frame's edge, meant to be hidden; a wide pen would still show
            // a row of it inside the clip.
            if (i == IndexOf(BodyId::kSun) && pass_.mode == DisplayMode::Midnight) continue;
            const double xAngle = ModeAngle(pass_.mode, pos.ra, sunReference);
            double node = 0.0;
            if (i == IndexOf(BodyId::kMoon)) {
                node = ModeAngle(pass_.mode, day.moonNodeLongitude, sunReference);
                pass_.ephemeris.moonNodeLongitude = node;
            }
            const Point p = MapToPage(layout_, jd, xAngle);
            Point nodePoints[2];
            if (i == IndexOf(BodyId::kMoon)) {
                nodePoints[0] = MapToPage(layout_, jd, node);
                nodePoints[1] = MapToPage(layout_, jd, NormalizeAngle(kPi + node));
                NodeLinesBeforeMoon(nodePoints);
            }
            const bool regular = TrackStep(i, p, pos);
            if (i == IndexOf(BodyId::kMoon) && regular) NodeLinesAfterMoon(nodePoints);
        }
        SiderealStep(ModeAngle(pass_.mode, SiderealTimeAtZeroHours(jd), sunReference), jd);
    }

    int BodiesDrawn() const { return planetCount + (pass_.settings.showMoon ? 1 : 0); }

private:
    Pen TrackPen(int i, int width) const { return Pen{catalogue_.entries[i].color, width}; }

    // One step of body i's track; true when it was a regular step.
    bool TrackStep(int i, Point p, const BodyPosition& pos) {
        Point& q = previous_[i];
        const bool diameter = pass_.settings.codeByDiameter != 0;
        if (IsBreak(q, p, spans_)) {
            // Wrap copies keep the default width; only the Moon's follow its
            // diameter coding.
            if (!coded_) {
                dc_.SelectPen(catalogue_.bodyPens[i]);
            } else if (diameter && i == IndexOf(BodyId::kMoon)) {
                dc_.SelectPen(TrackPen(i, CodedPenWidth(catalogue_, layout_, pass_.settings, i,
                                                        pos.diameter, pos.magnitude)));
            } else {
                dc_.SelectPen(TrackPen(i, defaultWidth_));
            }
            // Forward wrap (angle passed 2 pi): draw the step twice, shifted by
            // the plot, so the clip cuts one copy at each edge.
            if (layout_.portrait) {
                if (q.x != 0 && p.x - q.x > spans_.halfW) {
                    dc_.Line(p.x, p.y, q.x + 2 * spans_.halfW, q.y);
                    dc_.Line(p.x - 2 * spans_.halfW, p.y, q.x, q.y);
                }
            } else if (q.y != 0 && p.y - q.y < spans_.halfH) {
                dc_.Line(p.x, p.y, q.x, q.y - 2 * spans_.halfH);
                dc_.Line(p.x, p.y + 2 * spans_.halfH, q.x, q.y);
            }
            dc_.SelectPen(catalogue_.bodyPens[i]);
            q = p;
            return false;
        }
        if (!coded_) {
            dc_.SelectPen(catalogue_.bodyPens[i]);
        } else if (diameter && i == IndexOf(BodyId::kSun)) {
            // Diameter coding leaves the Sun at the default width.
            dc_.SelectPen(TrackPen(i, defaultWidth_));
        } else {
            dc_.SelectPen(TrackPen(i, CodedPenWidth(catalogue_, layout_, pass_.settings, i,
                                                    pos.diameter, pos.magnitude)));
        }
        dc_.Line(q, p);
        dc_.SelectPen(catalogue_.bodyPens[i]);
        q = p;
        return true;
    }

    // Node lines before the Moon's step: only breaks and backward wraps (the
    // nodes regress, so their angle falls through 0).
    void NodeLinesBeforeMoon(const Point (&n)[2]) {
        for (int k = 0; k < 2; ++k) {
            NodeLine& line = nodes_[k];
            const Point r = line.previous;
            if (!IsBreak(r, n[k], spans_)) continue;
            dc_.SelectPen(catalogue_.bodyPens[kEntryMoonNode1 + k]);
            if (layout_.portrait) {
                if (r.x != 0 && n[k].x - r.x < -spans_.halfW) {
                    dc_.Line(n[k].x + 2 * spans_.halfW, n[k].y, r.x, r.y);
                    dc_.Line(n[k].x, n[k].y, r.x - 2 * spans_.halfW, r.y);
                    line.wrapped = true;
                }
            } else if (r.y != 0 && n[k].y - r.y > spans_.halfH) {
                dc_.Line(n[k].x, n[k].y - 2 * spans_.halfH, r.x, r.y);
                dc_.Line(n[k].x, n[k].y, r.x, r.y + 2 * spans_.halfH);
                line.wrapped = true;
            }
            line.previous = n[k];
        }
    }

    // Node lines after a regular Moon step. On days the Moon's own step
    // breaks this is skipped, so the node lines keep their older points and
    // their next segment spans both steps.
    void NodeLinesAfterMoon(const Point (&n)[2]) {
        for (int k = 0; k < 2; ++k) {
            NodeLine& line = nodes_[k];
            if (!line.wrapped && line.previous.x > 0 && line.previous.y > 0) {
                dc_.SelectPen(catalogue_.bodyPens[kEntryMoonNode1 + k]);
                dc_.Line(line.previous, n[k]);
            }
        }
        for (int k = 0; k < 2; ++k) {
            nodes_[k].previous = n[k];
            nodes_[k].wrapped = false;
        }
    }

    // The sidereal line restarts with a single pixel after every jump.
    void SiderealStep(double angle, double jd) {
        dc_.SelectPen(catalogue_.bodyPens[kEntrySiderealTime]);
        const Point p = MapToPage(layout_, jd, angle);
        if (IsBreak(sidereal_, p, spans_)) {
            dc_.SetPixel(p.x, p.y, catalogue_.entries[kEntrySiderealTime].color);
        } else {
            dc_.Line(sidereal_, p);
        }
        sidereal_ = p;
        dc_.SelectPen(pass_.keptPen);
    }

    ChartPass& pass_;
    Surface& dc_;
    const ChartLayout& layout_;
    BodyCatalogue& catalogue_;
    const HalfSpans spans_;
    const BodySelection shown_;
    const bool coded_;
    const int defaultWidth_;
    Point previous_[kBodyCount]{};
    NodeLine nodes_[2]{};
    Point sidereal_{};
};

}  // namespace

void DrawBodyTracks(ChartPass& pass, const YearSky& sky) {
    const TrackYear& positions = *sky.tracks;
    TrackPass tracks(pass);
    for (const TrackDay& day : positions.days) tracks.DrawDay(day);
    // Leave the context as computing the days in this pass would have.
    if (!positions.days.empty()) {
        pass.ephemeris.sunLongitude = positions.sunLongitude;
        pass.ephemeris.sunDistance = positions.sunDistance;
    }
}

}  // namespace velmarin
