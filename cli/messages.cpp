// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include "utf8.h"

#include <cstdio>
#include <optional>

namespace {

// The code point at `index`, advancing past it; nothing for a byte that
// does not start a valid sequence (then `index` passes that byte alone).
std::optional<std::uint32_t> NextCharacter(std::string_view text, std::size_t& index)
{
    const std::size_t start = index;
    const std::optional<std::uint32_t> c = NextCodePoint(text, index);
    if (!c)
        index = start + 1;
    return c;
}

bool IsSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// A character that a terminal would not show as text: a control character,
// a line separator, a surrogate or a byte that is not UTF-8 (nothing).
bool IsUnprintable(std::optional<std::uint32_t> c)
{
    return !c || *c < 0x20 || (*c >= 0x7F && *c <= 0x9F) || *c == 0x2028 || *c == 0x2029 || IsSurrogate(*c);
}

bool NeedsEscapes(std::string_view text)
{
    for (std::size_t index = 0; index < text.size();) {
        if (IsUnprintable(NextCharacter(text, index)))
            return true;
    }
    return false;
}

// One character `raw` (the code point `c`, if valid) as $'...' writes it:
// an unprintable one as its bytes, which any locale reads back the same.
std::string DollarEscaped(std::string_view raw, std::optional<std::uint32_t> c)
{
    if (c) {
        switch (*c) {
        case '\n': return "\\n";
        case '\t': return "\\t";
        case '\r': return "\\r";
        case '\\': return "\\\\";
        case '\'': return "\\'";
        default: break;
        }
    }
    if (!IsUnprintable(c))
        return std::string(raw);
    std::string bytes;
    for (const char byte : raw) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(byte));
        bytes += escaped;
    }
    return bytes;
}

std::string DollarQuoted(std::string_view text)
{
    std::string quoted = "$'";
    for (std::size_t index = 0; index < text.size();) {
        const std::size_t start = index;
        const std::optional<std::uint32_t> c = NextCharacter(text, index);
        quoted += DollarEscaped(text.substr(start, index - start), c);
    }
    return quoted + "'";
}

std::string SingleQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace

void PrintMessage(const std::string& text)
{
    std::fprintf(stderr, "bkf-recover: %s\n", text.c_str());
}

std::string ShellQuoted(std::string_view text)
{
    return NeedsEscapes(text) ? DollarQuoted(text) : SingleQuoted(text);
}
