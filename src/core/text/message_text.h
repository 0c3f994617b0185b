#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmarin {

// Pieces of the one-line messages on standard error.

// Longest stretch of a user's word echoed in a message, in bytes.
inline constexpr std::size_t kMaxEchoedBytes = 160;

// `text` in single quotes for a message: control characters (and DEL)
// written as \n, \t, \r or \xHH, a backslash as \\, so the message stays one
// line and a terminal never sees an escape sequence. Text beyond maxBytes is
// cut at a character boundary and the whole length said, e.g.
// 'aaaa...' (100000 bytes).
std::string QuoteForMessage(std::string_view text, std::size_t maxBytes = kMaxEchoedBytes);

// A whole message made safe for one line: control characters escaped as in
// QuoteForMessage, nothing cut.
std::string OneLineMessage(std::string_view message);

}  // namespace velmarin
