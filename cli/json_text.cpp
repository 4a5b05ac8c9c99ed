// SPDX-License-Identifier: GPL-3.0-or-later
#include "json_text.h"

#include <cstdio>

std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': quoted += "\\\""; break;
        case '\\': quoted += "\\\\"; break;
        case '\n': quoted += "\\n"; break;
        case '\t': quoted += "\\t"; break;
        case '\r': quoted += "\\r"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    EscapeLineSeparators(quoted, 1);
    return quoted + "\"";
}

void EscapeLineSeparators(std::string& text, std::size_t from)
{
    // U+2028 and U+2029 are E2 80 A8 and E2 80 A9; E2 is rare, found by memchr.
    for (std::size_t at = text.find('\xE2', from); at != std::string::npos; at = text.find('\xE2', at + 1)) {
        if (text.compare(at, 2, "\xE2\x80") != 0 || at + 2 >= text.size())
            continue;
        const char last = text[at + 2];
        if (last == '\xA8' || last == '\xA9')
            text.replace(at, 3, last == '\xA8' ? "\\u2028" : "\\u2029");
    }
}
