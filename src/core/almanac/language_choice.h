#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/text/expected.h"
#include "core/text/language.h"

namespace velmarin {

// What --lang said on a command line: a language, none (the settings file
// decides), or the one-line message for a bad --lang.
using LanguageArgument = Expected<std::optional<Language>>;

// Takes every "--lang CODE" and "--lang=CODE" out of argv[1..argc-1]
// (argv is compacted and argc lowered, argv[argc] stays null), so that the
// commands, render and the window's toolkit never see it. The last one
// counts; a code other than "de" and "en", or a missing one, is an error
// (the last bad one's message, even when a good one follows).
LanguageArgument TakeLanguageArgument(int& argc, char* argv[]);

// The language of a run: the argument's, else the settings file's choice at
// settingsPath, else German.
Language StartLanguage(const std::optional<Language>& argument, const std::filesystem::path& settingsPath);

// At start-up, for every command and the window: takes --lang out of argv
// and sets the program's language. Returns exit status 2 after the one-line
// error for a bad --lang, nullopt when the run goes on.
std::optional<int> SetLanguageFromCommandLine(int& argc, char* argv[]);

}  // namespace velmarin
