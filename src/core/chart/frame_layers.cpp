#include "core/chart/frame_layers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/chart/chart_clock.h"
#include "core/chart/night_overlay.h"
#include "core/chart/truncate.h"
#include "core/ephemeris/ephemeris_context.h"
#include "core/ephemeris/time_calendar.h"
#include "core/text/number_text.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kGridColor = Rgb(125, 125, 125);
constexpr Color kGridDotColor = Rgb(5, 5, 5);
constexpr TextId kMonthNames[12] = {TextId::MonthJan, TextId::MonthFeb, TextId::MonthMar, TextId::MonthApr,
                                     TextId::MonthMay, TextId::MonthJun, TextId::MonthJul, TextId::MonthAug,
                                     TextId::MonthSep, TextId::MonthOct, TextId::MonthNov, TextId::MonthDec};
// A year has at most 366 days; the bound only guards the loops against a
// calendar that never reaches 31 December.
constexpr int kMostDaysInLoop = 370;
// A caption too long for its line is set no smaller than this share of the
// normal size.
constexpr double kSmallestCaptionShare = 0.8;
// Sample line width of the legend: Venus at 30 arc seconds.
constexpr double kLegendSampleDiameter = 30.0;

template <typename... Args>
std::string Format(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, args...);
    return std::string(buffer.data(), static_cast<size_t>(length));
}

// Calls visit(jd, date, last) for every day of the chart year from `first`
// to 31 December; days of another year are skipped, except a last day.
template <typename Visit>
void ForEachDayOfYear(double first, int year, Visit visit) {
    double jd = first;
    for (int i = 0; i < kMostDaysInLoop; ++i, jd += 1.0) {
        const CalendarInstant date = CalendarFromJulianDay(jd);
        const bool last = date.day == 31 && date.month == 12;
        if (date.year == year || last) visit(jd, date, last);
        if (last) break;
    }
}

// Appends `words` (separated by single spaces) to `lines`, filling the last
// line while it stays within `width`; a word wider than that stands alone.
void FillWords(const Surface& dc, const std::string& words, int width,
               std::vector<std::string>& lines, bool continueLast) {
    size_t start = 0;
    while (start <= words.size()) {
        size_t end = words.find(' ', start);
        if (end == std::string::npos) end = words.size();
        const std::string word = words.substr(start, end - start);
        if (continueLast && !lines.empty() &&
            dc.GetTextExtent(lines.back() + " " + word).cx <= width) {
            lines.back() += " " + word;
        } else {
            lines.push_back(word);
        }
        continueLast = true;
        start = end + 1;
    }
}

// The caption in lines no wider than `width`: whole where it fits, else
// broken after its commas, and between words where a part is still too wide.
std::vector<std::string> CaptionLines(const Surface& dc, const std::string& caption, int width) {
    if (dc.GetTextExtent(caption).cx <= width) return {caption};
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < caption.size()) {
        size_t end = caption.find(", ", start);
        end = end == std::string::npos ? caption.size() : end + 1;  // the comma stays
        const std::string part = caption.substr(start, end - start);
        if (!lines.empty() && dc.GetTextExtent(lines.back() + " " + part).cx <= width) {
            lines.back() += " " + part;
        } else if (dc.GetTextExtent(part).cx <= width) {
            lines.push_back(part);
        } else {
            FillWords(dc, part, width, lines, false);
        }
        start = end + 1;
    }
    return lines;
}

const char* TimeZoneName(double timeZoneHours) {
    if (timeZoneHours == 0.0) return "GMT";
    if (timeZoneHours == 1.0) return Text(TextId::ZoneCet);
    if (timeZoneHours == 2.0) return Text(TextId::ZoneEet);
    return "";
}

}  // namespace

std::string ChartTitle(int year, DisplayMode mode) {
    return Format(mode == DisplayMode::Twilight ? Text(TextId::TitleTwilight) : Text(TextId::TitleCalendar), year);
}

std::string AxisCaption(DisplayMode mode, const ChartSettings& settings, bool portrait,
                        const std::string& zoneCaption, bool brief) {
    std::string text = portrait ? Text(TextId::AxisX) : Text(TextId::AxisY);
    switch (mode) {
        case DisplayMode::Sun: text += Text(TextId::AxisHourAngleSun); break;
        case DisplayMode::Midnight: text += Text(TextId::AxisHourAngleAntisun); break;
        case DisplayMode::Twilight:
            text += Text(TextId::AxisClockIn);
            // A named zone brings its own summer time.
            if (!zoneCaption.empty()) return text + zoneCaption;
            text += TimeZoneName(settings.timeZoneHours);
            if (settings.summerTime) text += Text(TextId::AxisWithSummerTime);
            return text;
        default: text += Text(TextId::RightAscension); break;
    }
    if (brief) {
        if (settings.codeByDiameter || settings.codeByBrightness) text += Text(TextId::AxisWidthBy);
        if (settings.codeByDiameter) text += Text(TextId::Diameter);
        if (settings.codeByDiameter && settings.codeByBrightness) text += Text(TextId::AxisAnd);
        if (settings.codeByBrightness) text += Text(TextId::Brightness);
    } else if (settings.codeByDiameter) {
        text += Text(TextId::AxisCodedDiameter);
        if (settings.codeByBrightness) text += Text(TextId::AxisAndBrightness);
    } else if (settings.codeByBrightness) {
        text += Text(TextId::AxisCodedBrightness);
    }
    return text;
}

std::string LocationText(double latitude, double longitude) {
    // Degrees with the chart's own pi, as everywhere on the chart.
    const double lat = latitude / (kPi / 180);
    const double lon = longitude / (kPi / 180);
    return Text(TextId::PlaceFor) + FixedNumber(lat, 2) + "°" + (lat >= 0 ? "N" : "S") + " / " +
           FixedNumber(lon, 2) + "°" + (lon >= 0 ? Text(TextId::PlaceEast) : "W") + ",      ";
}

void DrawTitle(ChartPass& pass) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const std::string title = ChartTitle(pass.year, pass.mode);
    const Font previous = dc.SelectFont(pass.fonts.fontTitle);
    // On pages narrower than the title (tall portrait windows, whose fonts
    // follow the height) the title is set smaller until it fits the page.
    Font font = pass.fonts.fontTitle;
    const int room = l.pageWidth - 2 * l.tickShortX;
    while (font.height < -1 && dc.GetTextExtent(title).cx > room) {
        ++font.height;  // heights are negative: one unit smaller
        dc.SelectFont(font);
    }
    const TextSize size = dc.GetTextExtent(title);
    int x = (l.plotLeft - size.cx + l.plotRight) / 2;
    if (size.cx <= room) x = std::clamp(x, l.tickShortX, l.pageWidth - l.tickShortX - size.cx);
    const int y = l.printing ? size.cy : 3;
    dc.TextOut(x, y, title);
    dc.SelectFont(previous);
}

void DrawDayAxis(ChartPass& pass) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const Pen previousPen = dc.SelectPen(Pen{kBlack, 1});
    const int cy8 = dc.GetTextExtent("8").cy;
    const Font previousFont = dc.SelectFont(l.portrait ? pass.fonts.fontUp : pass.fonts.fontNormal);

    ForEachDayOfYear(l.startJd, pass.year, [&](double jd, const CalendarInstant& date, bool last) {
        const Point p = MapToPage(l, jd, 0.0);
        const bool first = date.day == 1;
        if (!l.portrait) {
            if (first || last) {
                dc.Line(p.x, l.plotTop, p.x, l.plotTop - l.tickLongY);
                dc.Line(p.x, l.plotBottom, p.x, l.plotBottom + l.tickLongY);
            }
            if (first || date.day == 11 || date.day == 21) {
                dc.Line(p.x, l.plotTop, p.x, l.plotTop - l.tickShortY);
                dc.Line(p.x, l.plotBottom, p.x, l.plotBottom + l.tickShortY);
            }
            if (date.day == 16) {
                const char* name = Text(kMonthNames[std::clamp(date.month, 1, 12) - 1]);
                const int cx = dc.GetTextExtent(name).cx;
                dc.TextOut(p.x - cx / 2, l.plotTop - l.tickShortY - cy8, name);
                dc.TextOut(p.x - cx / 2, l.plotBottom + l.tickShortY - 1, name);
            }
            return;
        }
        if (first || last) {
            dc.Line(l.plotLeft, p.y, l.plotLeft - l.tickLongX, p.y);
            dc.Line(l.plotRight, p.y, l.plotRight + l.tickLongX, p.y);
        }
        if (first || date.day == 11 || date.day == 21) {
            dc.Line(l.plotLeft, p.y, l.plotLeft - l.tickShortX, p.y);
            dc.Line(l.plotRight, p.y, l.plotRight + l.tickShortX, p.y);
        }
        if (date.day == 16) {
            const char* name = Text(kMonthNames[std::clamp(date.month, 1, 12) - 1]);
            const int cx = dc.GetTextExtent(name).cx;  // measured in fontUp
            dc.SelectFont(pass.fonts.fontDown);
            dc.TextOut(l.plotLeft - l.tickShortX, p.y - cx / 2, name);
            dc.SelectFont(pass.fonts.fontUp);
            dc.TextOut(l.plotRight + l.tickShortX, p.y + cx / 2, name);
        }
    });

    dc.SelectFont(previousFont);
    dc.SelectPen(previousPen);
}

void DrawTimeAxis(ChartPass& pass) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const Font previousFont = dc.SelectFont(pass.fonts.fontNormal);
    dc.SetTextColor(kBlack);
    const TextSize size8 = dc.GetTextExtent("8");
    const int cx8 = size8.cx;
    const int cy8 = size8.cy;
    const bool fromSun = pass.mode == DisplayMode::Sun || pass.mode == DisplayMode::Midnight;
    const int step = fromSun ? 2 : 1;
    // Every tick keeps its number where the numbers have room; where they
    // would run together (narrow portrait pages, short landscape ones) only
    // every second, third, ... tick is numbered.
    const Point zero = MapToPage(l, l.startJd, 0.0);
    const Point oneHour = MapToPage(l, l.startJd, 1 / 12.0 * kPi);
    const int perHour = std::abs(l.portrait ? oneHour.x - zero.x : oneHour.y - zero.y);
    const int widest = (fromSun ? 3 : 2) * cx8;
    const int needed = l.portrait ? widest + std::max(2, cx8 / 4) : cy8;
    int labelStep = step;
    for (const int candidate : {1, 2, 3, 4, 6, 12}) {
        labelStep = std::max(step, candidate);
        if (labelStep % step == 0 && labelStep * perHour >= needed) break;
    }

    for (int c = 0; c <= 24; c += step) {
        const Point p = MapToPage(l, l.startJd, c / 12.0 * kPi);
        int value = c;
        if (fromSun) value = c - 12;
        if (pass.mode == DisplayMode::Twilight) value = 24 - c;
        const std::string label = Format("%d", value);
        const int len = static_cast<int>(label.size());
        const bool numbered = c % labelStep == 0;
        // Where 0.5 enters, the sum is formed in double and truncated once.
        if (!l.portrait) {
            dc.Line(l.plotLeft, p.y, l.plotLeft - l.tickShortX, p.y);
            dc.Line(l.plotRight, p.y, l.plotRight + l.tickShortX, p.y);
            if (!numbered) continue;
            const int y = TruncToInt(p.y - cy8 * 0.5);
            dc.TextOut(TruncToInt(l.plotLeft - len * cx8 - l.tickShortX - cx8 * 0.5), y, label);
            dc.TextOut(TruncToInt(l.plotRight + l.tickShortX + cx8 * 0.5), y, label);
        } else {
            dc.Line(p.x, l.plotTop, p.x, l.plotTop - l.tickShortX);
            dc.Line(p.x, l.plotBottom, p.x, l.plotBottom + l.tickShortX);
            if (!numbered) continue;
            const int x = TruncToInt(p.x - len * cx8 * 0.5);
            dc.TextOut(x, TruncToInt(l.plotTop - cy8 - l.tickShortX - cx8 * 0.5), label);
            dc.TextOut(x, TruncToInt(l.plotBottom + l.tickShortX + cx8 * 0.5), label);
        }
    }
    dc.SelectFont(previousFont);
}

namespace {

// Where the legend's last row would end, flowed as DrawLegendEntry flows it
// in the selected font from (x, y).
int LegendRowsBottom(ChartPass& pass, const std::vector<int>& entries, int x, int y) {
    const ChartLayout& l = pass.layout;
    int cy = 0;
    for (const int entry : entries) {
        const TextSize size = pass.dc.GetTextExtent(pass.catalogue.entries[entry].name);
        if (x + size.cx + 2 * l.tickShortX > l.plotRight + l.tickLongX && entry != entries.front()) {
            x = l.plotLeft - l.tickLongX;
            y += size.cy;
        }
        cy = size.cy;
        x += l.tickShortX + size.cx + 4 * l.tickShortX;
    }
    return y + cy;
}

}  // namespace

void DrawCaptions(ChartPass& pass, LegendCursor& legend, bool& colorReadBack) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const Font previousFont = dc.SelectFont(pass.fonts.fontNormal);
    dc.SetTextColor(kBlack);
    const int cyA = dc.GetTextExtent("A").cy;
    const int x0 = l.plotLeft - l.tickLongX;
    const int y0 = l.plotBottom + TruncToInt(1.5 * l.tickLongY);
    const std::string zoneCaption =
        pass.mode == DisplayMode::Twilight ? ZoneCaption(pass.year, pass.settings, pass.zones) : std::string();
    // The caption keeps within the legend's right end, so that it neither
    // leaves the page nor takes the legend's rows. Where it is longer
    // (portrait pages with a line coding) it says the coding in short words,
    // then is set smaller, down to four fifths of the size; only beyond
    // that does it wrap.
    const int width = l.plotRight + l.tickLongX - x0;
    std::string captionText = AxisCaption(pass.mode, pass.settings, l.portrait, zoneCaption);
    if (dc.GetTextExtent(captionText).cx > width) {
        captionText = AxisCaption(pass.mode, pass.settings, l.portrait, zoneCaption, true);
    }
    Font captionFont = pass.fonts.fontNormal;
    const int smallest = TruncToInt(pass.fonts.fontNormal.height * kSmallestCaptionShare);
    while (captionFont.height < smallest && dc.GetTextExtent(captionText).cx > width) {
        ++captionFont.height;  // heights are negative: one unit smaller
        dc.SelectFont(captionFont);
    }
    const std::vector<std::string> caption = CaptionLines(dc, captionText, width);
    int y1 = y0;
    for (const std::string& line : caption) {
        dc.TextOut(x0, y1, line);
        y1 += cyA;
    }
    dc.SelectFont(pass.fonts.fontNormal);

    if (pass.mode == DisplayMode::Twilight) {
        const std::string location = LocationText(pass.settings.latitude, pass.settings.longitude);
        dc.TextOut(x0, y1, location);
        const int w = dc.GetTextExtent(location).cx;
        // The curves, the key to the shading and what the overlays add:
        // more than a row holds, set smaller where the page is short.
        DrawNightLegend(pass, legend, x0, x0 + w, y1, cyA);
    } else {
        std::vector<int> entries;
        for (int entry = 0; entry < planetCount; ++entry) entries.push_back(entry);
        if (pass.settings.showMoon) {
            entries.push_back(planetCount);
            entries.push_back(kEntryMoonNode1);
        }
        entries.push_back(kEntrySiderealTime);
        // Where the rows would leave the page (tall narrow pages, whose
        // fonts follow the height), the legend is set smaller, down to half.
        dc.SelectFont(pass.fonts.fontSmall);
        const int bottom = l.printing ? l.pageHeight - dc.GetTextExtent("A").cy : l.pageHeight;
        Font legendFont = pass.fonts.fontNormal;
        dc.SelectFont(legendFont);
        const int smallestLegend = TruncToInt(pass.fonts.fontNormal.height * 0.5);
        while (legendFont.height < smallestLegend && LegendRowsBottom(pass, entries, x0, y1) > bottom) {
            ++legendFont.height;  // heights are negative: one unit smaller
            dc.SelectFont(legendFont);
        }
        DrawLegendEntry(pass, legend, colorReadBack, entries.front(), x0, y1);
        for (std::size_t i = 1; i < entries.size(); ++i) {
            DrawLegendEntry(pass, legend, colorReadBack, entries[i], -1, -1);
        }
    }
    dc.SelectFont(previousFont);
    colorReadBack = false;
}

void DrawLegendEntry(ChartPass& pass, LegendCursor& legend, bool colorReadBack, int entry, int x,
                     int y) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    CatalogueEntry& item = pass.catalogue.entries[entry];
    const int sampleWidth =
        DiameterPenWidth(pass.catalogue, l, 2, kLegendSampleDiameter).width;
    const Pen previousPen = dc.SelectPen(Pen{item.color, sampleWidth});
    if (entry == 0) legend.legendRowStartX = x;
    if (x == -1) x = legend.legendCursorX;
    if (y == -1) y = legend.legendCursorY;

    const std::string name = Translated(item.name);
    const TextSize size = dc.GetTextExtent(name);
    if (x + size.cx + 2 * l.tickShortX > l.plotRight + l.tickLongX) {
        x = legend.legendRowStartX;
        y = y + size.cy;
    }
    dc.TextOut(x, y, name);
    x = x + l.tickShortX + size.cx;
    const int yMid = y + TruncToInt(size.cy * 0.5);
    dc.Line(x, yMid, x + l.tickShortX, yMid);

    // The sample line covers x + 1 only when it is at least two units long;
    // a pixel it does not cover (or one off the page) tells nothing about the
    // entry's colour, and the table colour stays.
    if (colorReadBack && !l.printing && l.tickShortX >= 2) {
        const Color shown = dc.GetPixel(x + 1, yMid);
        if (shown != kInvalidColor) item.color = shown;
    }
    legend.legendCursorY = y;
    legend.legendCursorX = x + 4 * l.tickShortX;
    dc.SelectPen(previousPen);
}

void DrawGrid(ChartPass& pass) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const Pen previousPen = dc.SelectPen(Pen{kGridColor, l.printing ? PrintDots(l, 2) : 1});
    const int g = l.gridMarkHalf;

    ForEachDayOfYear(l.startJd + 1.0, pass.year, [&](double jd, const CalendarInstant& date, bool) {
        if (date.day != 1 && date.day != 11 && date.day != 21) return;
        // h is a single-precision value, and so is h / 12.
        for (float h = 0.5f; h < 24; h += 0.5f) {
            const Point p = MapToPage(l, jd, static_cast<double>(h / 12) * kPi);
            const bool wholeHour = std::fabs(h - static_cast<float>(static_cast<int>(h))) < 0.1;
            if (wholeHour) {
                if (!l.portrait) {
                    dc.Line(p.x - g + 1, p.y, p.x + g, p.y);
                    if (date.day == 1) dc.Line(p.x, p.y - g + 1, p.x, p.y + g);
                } else {
                    dc.Line(p.x, p.y - g + 1, p.x, p.y + g);
                    if (date.day == 1) dc.Line(p.x - g + 1, p.y, p.x + g, p.y);
                }
            } else if (date.day != 1) {
                dc.SetPixel(p.x, p.y, kGridDotColor);
            } else if (!l.portrait) {
                dc.Line(p.x, p.y - g + 1, p.x, p.y + g - 1);
            } else {
                dc.Line(p.x - g + 1, p.y, p.x + g - 1, p.y);
            }
        }
    });
    dc.SelectPen(previousPen);
}

void DrawFooter(ChartPass& pass, const LegendCursor& legend) {
    Surface& dc = pass.dc;
    const ChartLayout& l = pass.layout;
    const std::string& footer = pass.footerText;
    // One legend line below the legend's last row, in the legend's font.
    const Font previousFont = dc.SelectFont(pass.fonts.fontNormal);
    const int legendLine = dc.GetTextExtent("A").cy;
    dc.SelectFont(pass.fonts.fontSmall);
    const TextSize size = dc.GetTextExtent(footer);
    int y = legend.legendCursorY + legendLine;
    y = std::min(y, l.pageHeight - size.cy);
    const int x = std::max(0, l.plotLeft - l.tickLongX);
    dc.TextOut(x, std::max(0, y), footer);
    dc.SelectFont(previousFont);
}

}  // namespace velmarin
