#include "core/text/text_catalogue.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace velmarin {

namespace {

struct TranslatedText {
    const char* german;
    const char* english;
};

// Written at build time from res/translations/velmarin_en.ts (its context
// "CoreText"), sorted by the German text's bytes.
constexpr TranslatedText kEnglishTexts[] = {
#include "velmarin_core_english.inc"
};

const std::array<const char*, kTextCount>& EnglishById() {
    static const std::array<const char*, kTextCount> table = [] {
        std::array<const char*, kTextCount> byId{};
        for (std::size_t i = 0; i < kTextCount; ++i) {
            const std::string_view german = text_detail::kGermanTexts[i];
            const auto* found = std::lower_bound(
                std::begin(kEnglishTexts), std::end(kEnglishTexts), german,
                [](const TranslatedText& entry, std::string_view text) { return entry.german < text; });
            if (found != std::end(kEnglishTexts) && found->german == german) byId[i] = found->english;
        }
        return byId;
    }();
    return table;
}

}  // namespace

std::optional<const char*> EnglishText(TextId id) {
    const char* english = EnglishById()[static_cast<std::size_t>(id)];
    if (english == nullptr) return std::nullopt;
    return english;
}

const char* TextIn(TextId id, Language language) {
    if (language == Language::English) {
        if (const auto english = EnglishText(id)) return *english;
    }
    return GermanText(id);
}

const char* Text(TextId id) { return TextIn(id, ProgramLanguage()); }

std::optional<TextId> FindGermanText(std::string_view german) {
    for (std::size_t i = 0; i < kTextCount; ++i)
        if (text_detail::kGermanTexts[i] == german) return static_cast<TextId>(i);
    return std::nullopt;
}

std::string Translated(std::string_view german) {
    if (ProgramLanguage() == Language::German) return std::string(german);
    const std::optional<TextId> id = FindGermanText(german);
    return id ? Text(*id) : std::string(german);
}

}  // namespace velmarin
