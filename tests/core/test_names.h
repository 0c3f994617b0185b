#pragma once

#include <charconv>
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

// An input's name where its blanks and signs are what the case is about (the
// prompt and number readers): letters and digits stay, every other character
// is spelled as a word ("blank", "tab", "comma", ...), "empty" for none. A
// run of letters and digits longer than 24 (the huge inputs) is named by its
// first 8 and its length, as NameOfArguments does.
inline std::string SpelledOut(std::string_view words) {
    static constexpr std::pair<char, std::string_view> kSigns[] = {
        {' ', "blank"},       {'\t', "tab"},         {'\n', "newline"}, {'\r', "return"},      {',', "comma"},
        {'.', "dot"},         {'+', "plus"},         {'-', "minus"},    {'"', "quote"},        {';', "semicolon"},
        {':', "colon"},       {'\\', "backslash"},   {'/', "slash"},    {'_', "underscore"},   {'\'', "apostrophe"},
        {'=', "equals"}};
    std::string name;
    std::string word;  // letters, digits and non-ASCII bytes (umlauts) as IdentifierOf spells them
    const auto endWord = [&] {
        constexpr std::size_t kLongest = 24;
        const std::string part = word.size() <= kLongest ? IdentifierOf(word)
                                                         : IdentifierOf(word.substr(0, 8)) + "_" +
                                                               std::to_string(word.size()) + "_chars";
        if (!part.empty()) name += (name.empty() ? "" : "_") + part;
        word.clear();
    };
    for (const char c : words) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum || static_cast<unsigned char>(c) >= 0x80) {
            word += c;
            continue;
        }
        endWord();
        std::string_view spelled = "sign";
        for (const auto& [sign, spelling] : kSigns) {
            if (sign == c) spelled = spelling;
        }
        if (!name.empty()) name += '_';
        name += spelled;
    }
    endWord();
    return name.empty() ? std::string("empty") : name;
}

// A number's part of a case name: its shortest text that reads back as the
// same number (std::to_chars; whole numbers without an exponent), as
// IdentifierOf gives it, so 2.5 is "2_5", -0.5 "minus0_5", -600000
// "minus600000", 1e-300 "1e_minus300", and -1.0000001 stays apart from -1.
inline std::string NameOfNumber(double value) {
    char text[400];
    // The range test first: casting a huge number or infinity is undefined.
    const bool whole = value > -1e15 && value < 1e15 && value == static_cast<double>(static_cast<long long>(value));
    const auto end = whole ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr
                           : std::to_chars(text, text + sizeof text, value).ptr;
    std::string written(text, end);
    if (const std::size_t e = written.find("e-"); e != std::string::npos) written.replace(e, 2, "e_minus");
    return IdentifierOf(written);
}

// A display mode's part of a case name, from its number (Normal, Sun,
// Midnight, Twilight), so this header needs no chart header.
inline std::string NameOfMode(int mode) {
    static constexpr const char* kModes[] = {"Normal", "Sun", "Midnight", "Twilight"};
    return mode >= 0 && mode < 4 ? kModes[mode] : "Mode" + std::to_string(mode);
}

// A page's part of a case name: "640x480".
inline std::string NameOfPage(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace velmarin::test
