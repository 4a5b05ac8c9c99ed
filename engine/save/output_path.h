// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one decision whether a catalogue path may be written below the output
// root. Everything that creates a recovered file goes through it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits a "\"-separated catalogue path into its components. Refuses (returns
// nothing, with the reason in `why`) an absolute path and any empty, "." or
// ".." component, and components holding "/" or a NUL, so that the result
// can never name anything outside the root; and a path longer than 1,024
// characters, so that its folders are at most 512 deep.
std::optional<std::vector<std::string>> SafePathComponents(std::string_view cataloguePath, std::string* why);
