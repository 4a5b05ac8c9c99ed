// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names for recovered files that the file system will take: shortened when
// they are too long for it, numbered when the name is taken already.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Most file systems limit one name to 255 bytes (Linux) or 255 UTF-16 units
// (Windows); a byte limit of 255 fits both.
constexpr std::size_t kNameByteLimit = 255;

// `name` (UTF-8) cut at a character boundary so that it fits `byteLimit`
// bytes, keeping its extension (the part from the last dot) when the
// extension leaves room for at least one character before it.
std::string FitNameLength(std::string_view name, std::size_t byteLimit);

// "NAME (n).EXT": the number goes before the last dot of the name, or at the
// end when there is none (a leading dot does not count), fitted to `byteLimit`.
std::string NumberedName(std::string_view name, std::uint64_t number, std::size_t byteLimit);

// The name a new file gets at its `number`th try (from 1) in a folder where
// the earlier tries were taken: `name` itself, then "NAME (2).EXT", ...
std::string CandidateName(const std::string& name, std::uint64_t number, std::size_t byteLimit);
