#include "core/ephemeris/fixed_numbers.h"
#include "core/app/target_setting.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace velmarin {

namespace {

constexpr double kPiExact = fixed::kExactPi;

// The value of a "KEYWORD VALUE" line; nullopt for a line of another keyword.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view keyword) {
    if (line.size() <= keyword.size() || line.substr(0, keyword.size()) != keyword || line[keyword.size()] != ' ')
        return std::nullopt;
    return line.substr(keyword.size() + 1);
}


// The next blank-separated number of `text`, which loses it.
std::optional<double> TakeNumber(std::string_view& text) {
    const std::size_t end = text.find(' ');
    const std::string_view field = text.substr(0, end);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr != field.data() + field.size() || !std::isfinite(value)) return std::nullopt;
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return value;
}

std::optional<FixedTarget> ParseOwnTarget(std::string_view value) {
    const std::optional<double> hours = TakeNumber(value);
    if (!hours || *hours < 0.0 || *hours >= 24.0) return std::nullopt;
    const std::optional<double> degrees = TakeNumber(value);
    if (!degrees || *degrees < -90.0 || *degrees > 90.0 || value.empty()) return std::nullopt;
    FixedTarget target;
    target.name = std::string(value);
    target.ra = *hours / 12.0 * kPiExact;
    target.dec = *degrees / 180.0 * kPiExact;
    return target;
}

// Shortest text that reads back as the same double, whatever the locale.
std::string NumberText(double value) {
    char buffer[32];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

// Whether the line is one SettingsTargets reads: those are written anew, a
// "target" line it cannot read stays as the user wrote it.
bool IsReadTargetLine(std::string_view line) {
    if (ValueOf(line, kTargetsKeyword) || ValueOf(line, kElementsKeyword) || ValueOf(line, kHideTargetKeyword))
        return true;
    const auto own = ValueOf(line, kTargetKeyword);
    return own && ParseOwnTarget(*own).has_value();
}

}  // namespace

SavedTargets SettingsTargets(const ChartSettings& settings) {
    SavedTargets saved;
    for (const std::string& line : settings.otherExtensionLines) {
        if (const auto list = ValueOf(line, kTargetsKeyword)) {
            saved.sources.lists.emplace_back(*list);
        } else if (const auto elements = ValueOf(line, kElementsKeyword)) {
            saved.sources.elements.emplace_back(*elements);
        } else if (const auto own = ValueOf(line, kTargetKeyword)) {
            if (auto target = ParseOwnTarget(*own)) saved.own.push_back(std::move(*target));
        } else if (const auto hidden = ValueOf(line, kHideTargetKeyword)) {
            saved.hidden.emplace_back(*hidden);
        }
    }
    return saved;
}

ChartSettings WithSettingsTargets(ChartSettings settings, const SavedTargets& targets) {
    auto& lines = settings.otherExtensionLines;
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const std::string& l) { return IsReadTargetLine(l); }),
                lines.end());
    const std::string blank(1, ' ');
    for (const std::string& list : targets.sources.lists) lines.push_back(std::string(kTargetsKeyword) + blank + list);
    for (const std::string& file : targets.sources.elements)
        lines.push_back(std::string(kElementsKeyword) + blank + file);
    for (const FixedTarget& t : targets.own) {
        lines.push_back(std::string(kTargetKeyword) + blank + NumberText(t.ra / kPiExact * 12.0) + blank +
                        NumberText(t.dec / kPiExact * 180.0) + blank + t.name);
    }
    for (const std::string& name : targets.hidden)
        lines.push_back(std::string(kHideTargetKeyword) + blank + name);
    return settings;
}

LoadedTargets LoadSavedTargets(const SavedTargets& saved) {
    LoadedTargets loaded;
    const auto load = [&](const TargetSources& one) {
        auto result = LoadTargets(one);
        if (!result) {
            loaded.problems.push_back(result.error());
            return;
        }
        auto& targets = *result;
        std::move(targets.begin(), targets.end(), std::back_inserter(loaded.targets));
    };
    for (const std::string& list : saved.sources.lists) load(TargetSources{{list}, {}});
    for (const std::string& file : saved.sources.elements) load(TargetSources{{}, {file}});
    for (const FixedTarget& own : saved.own) loaded.targets.emplace_back(own);
    return loaded;
}

std::vector<Target> DrawnTargets(std::vector<Target> all, const SavedTargets& saved) {
    if (saved.hidden.empty()) return all;
    const auto hidden = [&](const Target& t) {
        return std::find(saved.hidden.begin(), saved.hidden.end(), TargetName(t)) != saved.hidden.end();
    };
    all.erase(std::remove_if(all.begin(), all.end(), hidden), all.end());
    return all;
}

}  // namespace velmarin
