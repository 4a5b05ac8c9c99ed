// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a catalogue scan reads the backup.

struct ScanOptions {
    // Also looks for blocks off the 512-byte grid (a backup with bytes lost or
    // inserted). Off by default.
    bool deep = false;
    // Counts the block tags met inside the bytes a block covers (for --debug).
    bool countCoveredTags = false;
};
