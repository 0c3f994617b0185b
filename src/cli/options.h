#pragma once

#include <string>
#include <variant>
#include <vector>

#include "view/chart_settings.h"

namespace velmarin {

enum class ImageFormat { Png, Svg, Pdf };

// `velmarin render` after parsing. Options not given keep the values of the
// settings the parser was handed (the settings file's, or its defaults).
struct RenderOptions {
    std::string output;
    ImageFormat format = ImageFormat::Png;
    int year = 2000;
    ChartSettings settings;
    int width = 1280;
    int height = 960;
    bool print = false;
};

// A parse either succeeds or gives a one-line error message (without the
// program name or a trailing newline).
template <typename T>
using ParseResult = std::variant<T, std::string>;

// args: the words after "render".
ParseResult<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                              const ChartSettings& fileSettings, int currentYear);

}  // namespace velmarin
