#include "core/app/language_setting.h"

#include <algorithm>
#include <string>

namespace velmarin {

namespace {

// The value of a "lang VALUE" line; nullopt for a line of another keyword.
std::optional<std::string_view> LanguageLineValue(std::string_view line) {
    if (line.size() <= kLanguageKeyword.size() || line.substr(0, kLanguageKeyword.size()) != kLanguageKeyword ||
        line[kLanguageKeyword.size()] != ' ')
        return std::nullopt;
    return line.substr(kLanguageKeyword.size() + 1);
}

}  // namespace

Language SettingsLanguage(const ChartSettings& settings) {
    for (auto it = settings.otherExtensionLines.rbegin(); it != settings.otherExtensionLines.rend(); ++it) {
        if (const auto value = LanguageLineValue(*it)) return LanguageFromCode(*value).value_or(Language::German);
    }
    return Language::German;
}

ChartSettings WithSettingsLanguage(ChartSettings settings, Language language) {
    auto& lines = settings.otherExtensionLines;
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return LanguageLineValue(line).has_value(); }),
                lines.end());
    if (language != Language::German)
        lines.push_back(std::string(kLanguageKeyword) + " " + std::string(LanguageCode(language)));
    return settings;
}

}  // namespace velmarin
