#pragma once

#include <array>
#include <string_view>

#include "core/app/command_rules.h"
#include "core/chart/chart_settings.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

// One row per display mode: the command that selects it, its "Anzeigen"
// entry and toolbar icon, and its word on the command line. The chart's
// caption for a mode stays with the chart, which knows no commands.
struct DisplayModeEntry {
    DisplayMode mode;
    CommandId command;
    std::string_view menuText;  // UTF-8, with the "&" of its access key
    std::string_view iconName;  // ":/icons/<name>.svg"
    std::string_view cliWord;   // render --mode WORD
};

inline constexpr std::array kDisplayModeEntries{
    DisplayModeEntry{DisplayMode::Normal, CommandId::ModeNormal, GermanText(TextId::ModeNormal), "mode_normal", "normal"},
    DisplayModeEntry{DisplayMode::Sun, CommandId::ModeSun, GermanText(TextId::ModeSun), "mode_sun", "sun"},
    DisplayModeEntry{DisplayMode::Midnight, CommandId::ModeMidnight, GermanText(TextId::ModeMidnight), "mode_midnight",
                     "midnight"},
    DisplayModeEntry{DisplayMode::Twilight, CommandId::ModeTwilight, GermanText(TextId::Twilight), "mode_twilight", "twilight"},
};

// The row of a mode-selecting command, or nullptr for any other command.
constexpr const DisplayModeEntry* DisplayModeEntryOfCommand(CommandId command) {
    for (const DisplayModeEntry& entry : kDisplayModeEntries)
        if (entry.command == command) return &entry;
    return nullptr;
}

// The row whose command-line word is `word`, or nullptr.
constexpr const DisplayModeEntry* DisplayModeEntryOfWord(std::string_view word) {
    for (const DisplayModeEntry& entry : kDisplayModeEntries)
        if (entry.cliWord == word) return &entry;
    return nullptr;
}

}  // namespace velmarin
