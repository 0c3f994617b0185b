#pragma once

// The message pieces moved down to text/ (the targets' readers use them too);
// this name stays for the files that still include it here.
#include "core/text/message_text.h"
