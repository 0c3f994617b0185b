#include "core/text/language.h"

#include <atomic>

namespace velmarin {

namespace {

// The one process-wide choice, as the C library's locale is: the year
// workers' threads draw texts too, hence atomic.
std::atomic<Language>& CurrentLanguage() {
    static std::atomic<Language> language{Language::German};
    return language;
}

}  // namespace

std::optional<Language> LanguageFromCode(std::string_view code) {
    if (code == "de") return Language::German;
    if (code == "en") return Language::English;
    return std::nullopt;
}

std::string_view LanguageCode(Language language) { return language == Language::English ? "en" : "de"; }

Language ProgramLanguage() { return CurrentLanguage().load(std::memory_order_relaxed); }

void SetProgramLanguage(Language language) { CurrentLanguage().store(language, std::memory_order_relaxed); }

}  // namespace velmarin
