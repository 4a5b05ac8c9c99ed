// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_name.h"

namespace {

// The position of the extension's dot, or the end of the name.
std::size_t ExtensionStart(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name.size() : dot;
}

// The longest prefix of `text` of at most `bytes` bytes that ends on a character boundary.
std::string_view CutAtCharacter(std::string_view text, std::size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // do not split a multi-byte character
    return text.substr(0, end);
}

// `stem` + `suffix` + `extension`, with the stem shortened so that the whole fits.
std::string Compose(std::string_view stem, std::string_view suffix, std::string_view extension,
                    std::size_t byteLimit)
{
    if (suffix.size() + extension.size() >= byteLimit)
        extension = {}; // an extension that leaves no room for the name is dropped
    const std::size_t room = byteLimit > suffix.size() + extension.size()
                                 ? byteLimit - suffix.size() - extension.size() : 0;
    std::string name(CutAtCharacter(stem, room));
    name.append(suffix).append(extension);
    return std::string(CutAtCharacter(name, byteLimit));
}

} // namespace

std::string FitNameLength(std::string_view name, std::size_t byteLimit)
{
    if (name.size() <= byteLimit)
        return std::string(name);
    const std::size_t dot = ExtensionStart(name);
    return Compose(name.substr(0, dot), {}, name.substr(dot), byteLimit);
}

std::string NumberedName(std::string_view name, std::uint64_t number, std::size_t byteLimit)
{
    const std::size_t dot = ExtensionStart(name);
    return Compose(name.substr(0, dot), " (" + std::to_string(number) + ")", name.substr(dot), byteLimit);
}

std::string CandidateName(const std::string& name, std::uint64_t number, std::size_t byteLimit)
{
    return number <= 1 ? name : NumberedName(name, number, byteLimit);
}
