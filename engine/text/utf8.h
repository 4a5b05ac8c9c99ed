// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The room engine/text/: names, paths, patterns and sizes as text, with no
// I/O. UTF-8 (utf8), case folding and glob patterns (case_fold, glob_match,
// path_pattern), the checks of names, path lengths and the output prefix
// (name_check, path_limits, prefix_check), and sizes, rates and times as
// people read them (human_units).
//
// Small UTF-8 helpers. Surrogate code points are encoded in their three-byte
// form (as WTF-8 does) so that a damaged name survives until it is checked.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

void AppendUtf8(std::string& text, std::uint32_t codePoint);

// Decodes the code point that starts at `index` and advances `index` past it.
// Nothing for a malformed or overlong sequence; surrogates are decoded as is.
std::optional<std::uint32_t> NextCodePoint(std::string_view text, std::size_t& index);
