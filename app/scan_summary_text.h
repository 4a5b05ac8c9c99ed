// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a scan passed over, worded in the user's language from the engine's
// parts of its summary line.

#include <QString>

struct ScanReport;

// "3 Dateiblöcke übergangen (1 mit gültiger Prüfsumme), …"; "" when the
// scan passed over nothing.
QString ScanSummaryText(const ScanReport& report);
// Why a deep scan may find more, or "" when the scan gives no such hint.
QString DeepScanHintText(const ScanReport& report);
