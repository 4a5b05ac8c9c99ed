// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Simple case folding for matching names that come from Windows, where
// "Report.DOC" and "report.doc" name the same file: ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic capitals map to their small letters.

#include <cstdint>

std::uint32_t FoldCase(std::uint32_t codePoint);
