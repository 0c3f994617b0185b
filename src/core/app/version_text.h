#pragma once

#include <string>
#include <string_view>

namespace velmarin {

// The two texts the about box and the printed footer show.
struct VersionTexts {
    std::string versionText;  // "1.8", "3.4.11", "3.4.11.2"
    std::string buildText;    // build date as day.month.year
};

// Given: a dot-separated version of up to four numbers, each read as atoi
// reads it (leading blanks, a sign, digits; 0 when there are none).
// Returned: "%d.%d" when build and revision are 0, "%d.%d.%d" when only the
// revision is 0, else all four. Numbers the text lacks count as 0, so "1.8"
// stays "1.8". Only the first 99 characters (and nothing after a NUL) are
// read; numbers out of int range saturate. Any input is safe.
std::string FormatVersionText(std::string_view fileVersion);

// Given: the build date as "YYYY-MM-DD". Returned: "DD.MM.YYYY". Any other
// text comes back unchanged, cut to 99 characters and at a NUL.
std::string FormatBuildText(std::string_view buildDate);

// The program's texts from the version and build date compiled in.
VersionTexts ReadVersionInfo();

// The printed chart's footer: "Velmarin Version " and the formatted version
// text, as the about box shows it ("1.0", not "1.0.0.0").
std::string FooterText();

}  // namespace velmarin
