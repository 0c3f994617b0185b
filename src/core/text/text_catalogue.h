#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/text/language.h"

// Named through a macro so that lupdate, which follows includes but not
// macros, reads the list once as a file of its own (where it finds every
// text) and never as part of the files that include this header.
#define VELMARIN_TEXT_LIST "core/text/text_list.h"

// Qt's moc reads the window's headers and what they include; it cannot
// follow the list's macros and needs nothing of this file.
#ifndef Q_MOC_RUN

namespace velmarin {

// The ids of the core's texts (text_list.h holds each German text once).
enum class TextId : int {
#define VELMARIN_TEXT(id, text) id,
#include VELMARIN_TEXT_LIST
#undef VELMARIN_TEXT
};

#define VELMARIN_TEXT(id, text) +1
inline constexpr std::size_t kTextCount = 0
#include VELMARIN_TEXT_LIST
    ;
#undef VELMARIN_TEXT

namespace text_detail {
// The marker is the text itself here; a Qt file that includes this header
// keeps its own definition.
#pragma push_macro("QT_TRANSLATE_NOOP")
#undef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#define VELMARIN_TEXT(id, text) text,
inline constexpr const char* kGermanTexts[kTextCount] = {
#include VELMARIN_TEXT_LIST
};
#undef VELMARIN_TEXT
#pragma pop_macro("QT_TRANSLATE_NOOP")
}  // namespace text_detail

// The German text of id, the source text: for the files machines read
// (JSON, CSV), which keep it in every language.
constexpr const char* GermanText(TextId id) { return text_detail::kGermanTexts[static_cast<std::size_t>(id)]; }

// The English text of id from the translation file, or nullopt when the
// file has none for it yet.
std::optional<const char*> EnglishText(TextId id);

// id in language; German where a translation is missing.
const char* TextIn(TextId id, Language language);

// id in the program's language (ProgramLanguage()).
const char* Text(TextId id);

// The id of a German source text, for tables that keep the German text as
// their data (body names, phase labels); nullopt for any other text.
std::optional<TextId> FindGermanText(std::string_view german);

// german in the program's language: its translation when german is one of
// the catalogue's texts, else german as it stands.
std::string Translated(std::string_view german);

}  // namespace velmarin

#endif  // Q_MOC_RUN
