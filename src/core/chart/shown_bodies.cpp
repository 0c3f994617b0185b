#include "core/chart/shown_bodies.h"

#include <algorithm>
#include <string>

namespace velmarin {

namespace {

constexpr TextId kBodyNames[kBodyCount] = {
    TextId::BodySun,    TextId::BodyMercury, TextId::BodyVenus,   TextId::BodyMars,  TextId::BodyJupiter,
    TextId::BodySaturn, TextId::BodyUranus,  TextId::BodyNeptune, TextId::BodyMoon,
};

bool SameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// The body a "hidebody" line names, or nullopt when it is no such line or
// names no body the choice covers.
std::optional<int> HiddenBodyOfLine(std::string_view line) {
    if (line.size() <= kHideBodyKeyword.size() || line.substr(0, kHideBodyKeyword.size()) != kHideBodyKeyword ||
        line[kHideBodyKeyword.size()] != ' ')
        return std::nullopt;
    const std::string_view name = line.substr(kHideBodyKeyword.size() + 1);
    for (int body = 0; body < kSelectableBodyCount; ++body) {
        if (name == GermanText(kBodyNames[body])) return body;
    }
    return std::nullopt;
}

}  // namespace

BodySelection ShownBodies(const ChartSettings& settings) {
    BodySelection shown = kAllBodiesShown;
    for (const std::string& line : settings.otherExtensionLines) {
        if (const std::optional<int> body = HiddenBodyOfLine(line)) shown[*body] = false;
    }
    return shown;
}

ChartSettings WithShownBodies(ChartSettings settings, const BodySelection& shown) {
    auto& lines = settings.otherExtensionLines;
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return HiddenBodyOfLine(line).has_value(); }),
                lines.end());
    for (int body = 0; body < kSelectableBodyCount; ++body) {
        if (!shown[body]) lines.push_back(std::string(kHideBodyKeyword) + ' ' + GermanText(kBodyNames[body]));
    }
    return settings;
}

TextId BodyNameId(BodyId body) { return kBodyNames[IndexOf(body)]; }

std::optional<BodyId> BodyOfName(std::string_view name) {
    for (const BodyId body : kAllBodies) {
        if (SameLetters(name, GermanText(BodyNameId(body)))) return body;
        const std::optional<const char*> english = EnglishText(BodyNameId(body));
        if (english && SameLetters(name, *english)) return body;
    }
    return std::nullopt;
}

}  // namespace velmarin
