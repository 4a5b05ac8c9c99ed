// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window says when a save ends: a status-bar line always, and a
// message only when something is worth the user's attention (a chosen file
// not saved completely, one saved under another name, files the scan passed
// over, or no output folder at all).

#include <QString>

#include <cstddef>

struct ExtractionReport;
struct ScanReport;

struct SaveReportText {
    QString status;  // files and bytes saved into which folder
    QString message; // one sentence; empty when there is nothing to report
    QString details; // one line per file (and the scan's losses)
};

// `chosen` is the number of ticked rows, `destination` the folder the user
// chose, `scan` the report of the scan that built the catalogue.
SaveReportText DescribeSave(const ExtractionReport& report, std::size_t chosen, const QString& destination,
                            const ScanReport& scan);
