#include "core/app/window_options.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace velmarin {

namespace {

// The toolkit's start-up options that take a value as the next argument
// (the X11 aliases -display, -geometry, -title, -icon, -name, -visual included).
constexpr std::array<std::string_view, 17> kValueOptions = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-geometry",
    "-qwindowtitle", "-title", "-qwindowicon", "-icon", "-session", "-display", "-name", "-visual",
    "-style", "-stylesheet", "-qmljsdebugger"};
// And those that stand alone.
constexpr std::array<std::string_view, 6> kFlagOptions = {"-reverse", "-testability", "-nograb", "-dograb",
                                                          "-sync", "-widgetcount"};

bool IsOneOf(std::string_view word, const auto& list) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

std::optional<std::string> UnknownWindowArgument(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view word = args[i];
        // The toolkit reads "--option" as "-option".
        if (word.size() > 2 && word.substr(0, 2) == "--") word.remove_prefix(1);
        if (word.size() < 2 || word[0] != '-') return args[i];
        const size_t equals = word.find('=');
        if (equals != std::string_view::npos) {
            if (!IsOneOf(word.substr(0, equals), kValueOptions)) return args[i];
            continue;
        }
        if (IsOneOf(word, kFlagOptions)) continue;
        if (!IsOneOf(word, kValueOptions) || i + 1 == args.size()) return args[i];
        ++i;  // its value
    }
    return std::nullopt;
}

}  // namespace velmarin
