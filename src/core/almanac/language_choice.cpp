#include "core/almanac/language_choice.h"

#include <string_view>

#include "core/almanac/command_output.h"
#include "core/app/language_setting.h"
#include "core/text/message_text.h"
#include "core/app/settings_file.h"

namespace velmarin {

namespace {

constexpr std::string_view kLanguageOption = "--lang";

}  // namespace

LanguageArgument TakeLanguageArgument(int& argc, char* argv[]) {
    std::optional<Language> language;
    std::optional<std::string> error;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        std::optional<std::string_view> code;
        if (word == kLanguageOption) {
            if (i + 1 >= argc) {
                error = "--lang: expected de or en";
                continue;
            }
            code = std::string_view(argv[++i]);
        } else if (word.substr(0, kLanguageOption.size() + 1) == "--lang=") {
            code = word.substr(kLanguageOption.size() + 1);
        } else {
            argv[kept++] = argv[i];
            continue;
        }
        if (const auto found = LanguageFromCode(*code)) {
            language = found;
        } else {
            error = "--lang: expected de or en, not " + QuoteForMessage(std::string(*code));
        }
    }
    argv[kept] = nullptr;
    argc = kept;
    if (error) return Failure{std::move(*error)};
    return language;
}

Language StartLanguage(const std::optional<Language>& argument, const std::filesystem::path& settingsPath) {
    if (argument) return *argument;
    ChartSettings settings;
    if (LoadSettings(settingsPath, settings).state != SettingsFileState::Loaded) return Language::German;
    return SettingsLanguage(settings);
}

std::optional<int> SetLanguageFromCommandLine(int& argc, char* argv[]) {
    const LanguageArgument argument = TakeLanguageArgument(argc, argv);
    if (!argument) return ReportBadInput(argument.error());
    SetProgramLanguage(StartLanguage(*argument, SettingsFilePath()));
    return std::nullopt;
}

}  // namespace velmarin
