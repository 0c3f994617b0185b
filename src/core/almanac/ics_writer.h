#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmarin {

// One VEVENT: an instant without duration.
struct IcsEvent {
    std::string uid;          // stable across runs, unique in the file
    std::string start;        // DATE-TIME in UTC, "YYYYMMDDTHHMMSSZ"
    std::string summary;      // plain text, escaped when written
    std::string description;  // plain text; left out when empty
};

struct IcsCalendar {
    std::string name;   // shown by calendar programs as the calendar's title
    std::string stamp;  // DTSTAMP of every event, "YYYYMMDDTHHMMSSZ"
    std::vector<IcsEvent> events;
};

// A TEXT value: backslash, semicolon, comma and line breaks escaped.
std::string IcsEscapeText(std::string_view text);

// One content line folded at 75 octets (CR LF and one blank before each
// continuation), never inside a UTF-8 character; ends with CR LF.
std::string IcsFoldLine(std::string_view line);

// The whole file: VCALENDAR, VERSION 2.0, the program's PRODID, the events.
std::string IcsText(const IcsCalendar& calendar);

}  // namespace velmarin
