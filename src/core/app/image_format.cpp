#include "core/app/image_format.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace velmarin {

std::optional<ImageFormat> ImageFormatOfFileName(std::string_view fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") return ImageFormat::Png;
    if (extension == "svg") return ImageFormat::Svg;
    if (extension == "pdf") return ImageFormat::Pdf;
    return std::nullopt;
}

}  // namespace velmarin
