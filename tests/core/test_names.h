#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmarin::test {

// A parameterised case's name from its own words, for GoogleTest's name
// generators: letters and digits stay, a sign '-' before a digit becomes
// "minus" (so that -100 and 100 stay apart), German umlauts and ß their two letters, every other run
// of characters one '_'.
inline std::string IdentifierOf(std::string_view words) {
    static constexpr std::pair<std::string_view, std::string_view> kLetters[] = {
        {"\u00e4", "ae"}, {"\u00f6", "oe"}, {"\u00fc", "ue"}, {"\u00c4", "Ae"},
        {"\u00d6", "Oe"}, {"\u00dc", "Ue"}, {"\u00df", "ss"}};
    std::string name;
    bool gap = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const char c = words[i];
        bool replaced = false;
        for (const auto& [letter, spelled] : kLetters) {
            if (words.substr(i, letter.size()) != letter) continue;
            if (gap && !name.empty()) name += '_';
            name += spelled;
            gap = false;
            i += letter.size() - 1;
            replaced = true;
            break;
        }
        if (replaced) continue;
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        // A sign, not a dash between two numbers (a date's 2026-03-03).
        const bool digitNext = i + 1 < words.size() && words[i + 1] >= '0' && words[i + 1] <= '9';
        const bool wordBefore = !gap && !name.empty();
        if (c == '-' && digitNext && !wordBefore) {
            if (!name.empty() && name.back() != '_') name += '_';
            name += "minus";
            gap = false;
        } else if (alnum) {
            if (gap && !name.empty()) name += '_';
            name += c;
            gap = false;
        } else {
            gap = true;
        }
    }
    return name;
}

// A command line's case name: each word as IdentifierOf gives it, a lone
// "-" (standard output) as "stdout", one longer than 24 characters (the
// cases of huge inputs) by its first 8 and its length; "NoArguments" for none.
inline std::string NameOfArguments(const std::vector<std::string>& args) {
    std::string name;
    for (std::string_view word : args) {
        constexpr std::size_t kLongest = 24;
        const std::string part = word == "-"                ? std::string("stdout")
                                 : word.size() <= kLongest ? IdentifierOf(word)
                                                           : IdentifierOf(word.substr(0, 8)) + "_" +
                                                                 std::to_string(word.size()) + "_chars";
        if (part.empty()) continue;
        if (!name.empty()) name += '_';
        name += part;
    }
    return name.empty() ? std::string("NoArguments") : name;
}

}  // namespace velmarin::test
