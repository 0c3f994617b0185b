#pragma once

#include <string>
#include <string_view>

namespace velmarin {

// Pads UTF-8 text with blanks to `width` characters (not bytes), so columns
// with umlauts and degree signs line up. Longer text is left as it is.
std::string PadRight(std::string_view text, int width);
std::string PadLeft(std::string_view text, int width);

}  // namespace velmarin
