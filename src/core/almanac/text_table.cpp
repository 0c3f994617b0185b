#include "core/almanac/text_table.h"

namespace velmarin {
namespace {

int CharacterCount(std::string_view text) {
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // skip continuation bytes
    return count;
}

}  // namespace

std::string PadRight(std::string_view text, int width) {
    const int missing = width - CharacterCount(text);
    return std::string(text) + std::string(missing > 0 ? static_cast<std::size_t>(missing) : 0, ' ');
}

std::string PadLeft(std::string_view text, int width) {
    const int missing = width - CharacterCount(text);
    return std::string(missing > 0 ? static_cast<std::size_t>(missing) : 0, ' ') + std::string(text);
}

}  // namespace velmarin
