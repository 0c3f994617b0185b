#pragma once

#include <string_view>

#include "core/chart/chart_settings.h"
#include "core/text/language.h"

namespace velmarin {

// The settings file's extension line "lang en" keeps the window's choice of
// "Ansicht → Sprache". German, the default, writes no line. The line stays
// among the extension lines the settings file keeps as they were, so a
// version without languages writes it back untouched.
inline constexpr std::string_view kLanguageKeyword = "lang";

// The language a settings file chose: its last "lang" line's, German when
// there is none or its code is unknown (a bad value counts as the default).
Language SettingsLanguage(const ChartSettings& settings);

// settings with language as its choice: every "lang" line replaced by one
// "lang en" for English, by none for German.
ChartSettings WithSettingsLanguage(ChartSettings settings, Language language);

}  // namespace velmarin
