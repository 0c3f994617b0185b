#include "core/almanac/ics_writer.h"

namespace velmarin {
namespace {

constexpr std::size_t kMaxLineOctets = 75;
constexpr std::string_view kProductId = "-//Tannwick//Velmarin//DE";

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string IcsEscapeText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ';' || c == ',') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            // Other control characters are not allowed in TEXT.
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

std::string IcsFoldLine(std::string_view line) {
    std::string out;
    std::size_t limit = kMaxLineOctets;  // the first line; then 74 after the blank
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && IsContinuationByte(line[cut])) --cut;
        if (cut == 0) cut = limit;  // not UTF-8 at all: cut at the limit
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        limit = kMaxLineOctets - 1;
    }
    out.append(line);
    return out + "\r\n";
}

std::string IcsText(const IcsCalendar& calendar) {
    std::string out;
    const auto add = [&out](std::string_view name, std::string_view value) {
        out += IcsFoldLine(std::string(name) + ":" + std::string(value));
    };
    add("BEGIN", "VCALENDAR");
    add("VERSION", "2.0");
    add("PRODID", kProductId);
    add("CALSCALE", "GREGORIAN");
    add("METHOD", "PUBLISH");
    if (!calendar.name.empty()) add("X-WR-CALNAME", IcsEscapeText(calendar.name));
    for (const IcsEvent& event : calendar.events) {
        add("BEGIN", "VEVENT");
        add("UID", IcsEscapeText(event.uid));
        add("DTSTAMP", calendar.stamp);
        add("DTSTART", event.start);
        add("SUMMARY", IcsEscapeText(event.summary));
        if (!event.description.empty()) add("DESCRIPTION", IcsEscapeText(event.description));
        // An instant takes no time in the user's schedule.
        add("TRANSP", "TRANSPARENT");
        add("END", "VEVENT");
    }
    add("END", "VCALENDAR");
    return out;
}

}  // namespace velmarin
