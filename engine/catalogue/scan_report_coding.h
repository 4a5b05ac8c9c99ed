// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scan report in the catalogue cache's encoding.

#include "cache_codec.h"
#include "scan_report.h"

void EncodeScanReport(CacheEncoder& out, const ScanReport& report);
// False when the bytes are no report.
bool DecodeScanReport(CacheDecoder& in, ScanReport& report);
