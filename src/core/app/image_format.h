#pragma once

#include <optional>
#include <string_view>

namespace velmarin {

// The files a chart can be written to.
enum class ImageFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (.png, .svg, .pdf, any
// case; a dot in a folder name does not count), or nothing.
std::optional<ImageFormat> ImageFormatOfFileName(std::string_view fileName);

}  // namespace velmarin
