// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tri-state box of a folder node and of a contents-list row. Node states
// are derived from the catalogue ticks; the ticks are what a save reads.

#include <cstdint>

enum class CheckState : std::uint8_t {
    Unchecked,
    Checked,
    Partial,
};
