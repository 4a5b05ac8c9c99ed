// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the end of a scan has to say in a message box, or nothing.

#include "scanner_ui.h"

#include <QString>

// A backup that could not be opened, a failure, a backup of which no byte
// could be read, or no data (`nothingFound`), with the deep scan's hint when
// no block lay on the grid.
QString ScanEndMessage(const ScanEnd& end, bool nothingFound);
