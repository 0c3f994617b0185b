#pragma once

#include "core/text/language.h"

namespace velmarin {

// Makes language the program's language, for the core's texts and the
// window's alike: sets ProgramLanguage() and installs the matching
// translators in the running application, replacing earlier ones. German:
// the toolkit's own German (dialogs, standard buttons), as always; the
// program's texts are German in the source. English: the program's English
// texts built from res/translations/velmarin_en.ts; the toolkit's own texts
// are English already. Returns false when a translation could not be loaded
// (the texts then stay those of the source).
bool ApplyProgramLanguage(Language language);

}  // namespace velmarin
