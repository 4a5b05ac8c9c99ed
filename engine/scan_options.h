// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a catalogue scan reads the backup.

struct ScanOptions {
    // Also looks for blocks off the 512-byte grid (a backup with bytes lost or
    // inserted), takes names from PNAM and FNAM streams, keeps paths of up to
    // 1,024 characters and reads each file's CSUM stream. Off by default.
    bool deep = false;
};
