#pragma once

#include <string>

#include "core/chart/chart_settings.h"

namespace velmarin {

// The settings file as the program last read or wrote it. The user may edit
// the file by hand: comments, notes, lines of a newer version, numbers
// written their own way. A save gives all of that back and changes only what
// the program has something new to say about.
struct SettingsDocument {
    std::string text;        // the file's bytes
    ChartSettings baseline;  // the values the program took from them, with its own corrections
};

// The text a save writes for `settings`.
//
// Every line the program does not own comes back byte for byte in its place:
// lines after the third, keyword lines of other keywords, lines it cannot
// read. In the three number lines a value equal to the baseline's keeps its
// text ("52", "5.75"), a changed one is written as a fresh file has it
// ("%d", six decimals, one decimal for timeZoneHours); text after the
// numbers stays after them. A known keyword's lines (zone, planets,
// moonlight) stay as they are unless its value changed; then its last line
// takes the new value (or goes, at the default) and the others go; a new one
// comes after the number lines and the known keywords before it. Other
// keyword lines the settings drop go; new ones come at the end.
//
// withWindowSize: the size line holds the settings' window size (made when
// missing, after the place line); without it the size numbers are taken out
// (the line goes unless text remains on it, or later lines would move up
// into its place). With settings equal to the baseline and the window size
// as the file holds it, the text is unchanged.
// Missing number lines are made only when a value in them changed or a
// later line is needed. Added lines end in CR LF.
std::string UpdatedSettingsText(const SettingsDocument& document, const ChartSettings& settings,
                                bool withWindowSize);

}  // namespace velmarin
