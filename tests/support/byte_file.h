// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing test bytes to a file.

#include <cstdint>
#include <string>
#include <vector>

// Creates or replaces the file at `path` with `bytes`; false when the
// system refused a step.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
