#include "core/text/message_text.h"

namespace velmarin {
namespace {

void AppendEscaped(std::string& out, std::string_view text, bool escapeBackslash) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '\r') out += "\\r";
        else if (c == '\\' && escapeBackslash) out += "\\\\";
        else if (byte < 0x20 || byte == 0x7f) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xf];
        } else {
            out += c;
        }
    }
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

}  // namespace

std::string QuoteForMessage(std::string_view text, std::size_t maxBytes) {
    std::string_view shown = text;
    if (text.size() > maxBytes) {
        std::size_t cut = maxBytes;
        // Never split a UTF-8 character.
        while (cut > 0 && IsUtf8Continuation(text[cut])) --cut;
        shown = text.substr(0, cut);
    }
    std::string out = "'";
    AppendEscaped(out, shown, true);
    out += "'";
    if (shown.size() < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string OneLineMessage(std::string_view message) {
    std::string out;
    out.reserve(message.size());
    AppendEscaped(out, message, false);
    return out;
}

}  // namespace velmarin
