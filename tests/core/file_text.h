#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace velmarin::test {

// A file's bytes, or "" when it cannot be read.
inline std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Replaces a file's content with `text`, byte for byte.
inline void WriteWhole(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

}  // namespace velmarin::test
