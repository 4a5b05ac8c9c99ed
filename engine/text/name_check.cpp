// SPDX-License-Identifier: GPL-3.0-or-later
#include "name_check.h"

#include "utf8.h"

#include <algorithm>
#include <array>

namespace {

constexpr bool IsRefusedCodePoint(std::uint32_t codePoint)
{
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F))
        return true; // control characters
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
        return true; // unpaired surrogate kept by the name decoder
    switch (codePoint) {
    case '|': case '*': case ':': case '?': case '<': case '>': case '/':
        return true;
    default:
        return false;
    }
}

// The ASCII answers, looked up: the check runs on every name of a scan.
constexpr std::array<bool, 0x80> RefusedAscii()
{
    std::array<bool, 0x80> refused{};
    for (std::uint32_t codePoint = 0; codePoint < refused.size(); ++codePoint)
        refused[codePoint] = IsRefusedCodePoint(codePoint);
    return refused;
}
constexpr std::array<bool, 0x80> kRefusedAscii = RefusedAscii();

// "." and ".." would let a catalogue path climb out of the output root.
bool HasDotComponent(std::string_view text)
{
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = text.find('\\', begin);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view component = text.substr(begin, end - begin);
        if (component == "." || component == "..")
            return true;
        begin = end + 1;
    }
    return false;
}

} // namespace

bool IsCleanName(std::string_view text)
{
    std::size_t index = 0;
    // Most names are plain ASCII: check those bytes without decoding.
    while (index < text.size() && static_cast<unsigned char>(text[index]) < 0x80) {
        if (kRefusedAscii[static_cast<unsigned char>(text[index])])
            return false;
        ++index;
    }
    while (index < text.size()) {
        const auto codePoint = NextCodePoint(text, index);
        if (!codePoint || IsRefusedCodePoint(*codePoint))
            return false;
    }
    return !HasDotComponent(text);
}

void CollapseSeparators(std::string& text)
{
    if (text.find("\\\\") == std::string::npos)
        return; // most names: nothing to collapse, found without a pass that writes
    const auto doubled = [](char a, char b) { return a == '\\' && b == '\\'; };
    text.erase(std::unique(text.begin(), text.end(), doubled), text.end());
}

std::size_t Utf8Length(std::string_view text)
{
    std::size_t characters = 0;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++characters;
    }
    return characters;
}
