// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For a sort by file type: each catalogue row's place among the type names
// (ShellFileInfo's, compared case-blind), looked up once per extension.

#include <cstddef>
#include <cstdint>
#include <vector>

class CatalogueStore;
class ShellFileInfo;

// Ranks of catalogue rows [0, rowCount).
std::vector<std::uint32_t> TypeRanks(const CatalogueStore& store, std::size_t rowCount, ShellFileInfo& fileInfo);
