#pragma once

#include <optional>
#include <string_view>

namespace velmarin {

// The languages the program speaks. German is the source of every text and
// the default in every locale.
enum class Language { German, English };

// "de" or "en" as given to --lang and kept in the settings file; nullopt for
// anything else.
std::optional<Language> LanguageFromCode(std::string_view code);
// The code of a language: "de" or "en".
std::string_view LanguageCode(Language language);

// The language of this run, for the core's texts and the window's alike.
// Chosen once at start-up (--lang, else the settings file) and changed
// only by the window's "Sprache" menu; German until then.
Language ProgramLanguage();
void SetProgramLanguage(Language language);

}  // namespace velmarin
